#!/bin/bash
# Drawing the pictures twice gives the same bytes, and the pictures beside
# the built programs are the ones the current generator draws.
# $1 generator, $2 list of expected files, $3 scratch folder, $4 program folder.
set -eu
generator=$1 expected=$2 scratch=$3 programs=$4
rm -rf "$scratch"
mkdir -p "$scratch/one" "$scratch/two"
"$generator" "$scratch/one" "$expected"
"$generator" "$scratch/two" "$expected"
diff -r "$scratch/one/Images" "$scratch/two/Images"
diff -r "$scratch/one/Images" "$programs/Images"
count=$(find "$scratch/one/Images" -type f | wc -l)
[ "$count" -eq "$(grep -c . "$expected")" ]
echo "same $count pictures"
