# Shared by the end-to-end scripts: source it after defining fail().

# wait_for SECONDS WHAT COMMAND...
# Runs COMMAND until it succeeds. After SECONDS it gives up through fail(),
# saying what it waited for; a busy machine only makes it wait longer.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "waited ${seconds} s for $what"
    sleep 0.05
  done
}

# trace_count FILE BOX HEXPREFIX: how many reports to BOX start with HEXPREFIX
# (the OUT bytes after the report ID, as in the trace).
trace_count() {
  awk -v box="$2" -v p="$3" '$2 == "XFER" && $3 == box && index(substr($4, 3), p) == 1 { n++ } END { print n + 0 }' "$1" 2>/dev/null || echo 0
}
