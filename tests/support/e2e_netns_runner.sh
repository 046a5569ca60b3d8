#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The test runner's promises: a network of its own with the loopback up,
# and a folder of X sockets of its own that the machine does not share.
#   e2e_netns_runner.sh PATH-TO-aurivent-test-netns
set -u
runner=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

outside_net=$(readlink /proc/self/ns/net)
inside=$("$runner" sh -c 'echo "$AURIVENT_TEST_NETNS $(readlink /proc/self/ns/net)"; cat /sys/class/net/lo/operstate /sys/class/net/lo/flags')
set -- $inside
[ "$1" = private ] || { echo "SKIP: the kernel gives no private network here ($1)"; exit 0; }
[ "$2" != "$outside_net" ] || fail "the test ran in the machine's network"
# IFF_UP is bit 0 of the flags.
[ $(( $4 & 1 )) -eq 1 ] || fail "the loopback is down inside ($4)"

[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix 2>/dev/null
probe=aurivent-probe-$$
outside_file=/tmp/.X11-unix/$probe-outside
touch "$outside_file" 2>/dev/null || { echo "SKIP: /tmp/.X11-unix is not writable here"; exit 0; }
trap 'rm -f "$outside_file" /tmp/.X11-unix/$probe-inside' EXIT
seen=$("$runner" sh -c "touch /tmp/.X11-unix/$probe-inside && ls -A /tmp/.X11-unix")
case "$seen" in *"$probe-outside"*) fail "the machine's X sockets are visible inside: $seen";; esac
case "$seen" in *"$probe-inside"*) ;; *) fail "the test could not make its own X socket: $seen";; esac
[ ! -e /tmp/.X11-unix/$probe-inside ] || fail "a socket made inside appeared on the machine"
# Two at once each get their own folder.
"$runner" sh -c "touch /tmp/.X11-unix/X0-$probe; ls -A /tmp/.X11-unix" >"/tmp/$probe.a" &
"$runner" sh -c "touch /tmp/.X11-unix/X0-$probe; ls -A /tmp/.X11-unix" >"/tmp/$probe.b" &
wait
for f in "/tmp/$probe.a" "/tmp/$probe.b"; do
  [ "$(cat "$f")" = "X0-$probe" ] || { cat "$f" >&2; rm -f "/tmp/$probe".?; fail "two tests shared one X socket folder"; }
done
rm -f "/tmp/$probe".?
echo "PASS"
