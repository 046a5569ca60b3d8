#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drawing the pictures twice gives the same bytes, and the pictures beside
# the built programs are the ones the current generator draws.
# $1 generator, $2 list of expected files, $3 scratch folder, $4 program folder.
set -eu
generator=$1 expected=$2 scratch=$3 programs=$4
rm -rf "$scratch"
mkdir -p "$scratch/one" "$scratch/two"
"$generator" "$scratch/one" "$expected"
"$generator" "$scratch/two" "$expected"
for folder in Images icons; do
  diff -r "$scratch/one/$folder" "$scratch/two/$folder"
  diff -r "$scratch/one/$folder" "$programs/$folder"
done
count=$(find "$scratch/one" -type f | wc -l)
[ "$count" -eq "$(grep -c . "$expected")" ]
echo "same $count pictures"
