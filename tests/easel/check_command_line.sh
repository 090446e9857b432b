#!/usr/bin/env bash
# The easel command line end to end: the main job, its outputs, exit codes and messages.
#   check_command_line.sh EASEL MODULE
set -u
easel=$1 module=$2
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# expect STATUS TEXT -- ARGS: runs easel, checks the status and that stderr+stdout hold TEXT.
expect() {
  local status=$1 text=$2; shift 3
  "$easel" "$@" >out.txt 2>&1
  local got=$?
  [ "$got" -eq "$status" ] || fail "easel $* exited $got, expected $status: $(cat out.txt)"
  grep -qF -- "$text" out.txt || fail "easel $* did not say '$text': $(cat out.txt)"
}

expect 0 "wrote stars.svg" -- --plugin "$module" --seed 3
grep -q '<path d="M' stars.svg || fail "stars.svg holds no path"
expect 0 "wrote run.json" -- --plugin "$module" --seed 3 -o run.json
grep -q '"segments"' run.json || fail "run.json holds no segments"

# The same seed draws the same document.
"$easel" --plugin "$module" --seed 9 -o a.json 2>/dev/null
"$easel" --plugin "$module" --seed 9 -o b.json 2>/dev/null
cmp -s a.json b.json || fail "the same seed drew different documents"

expect 0 "Usage" -- --help
expect 0 "easel 1." -- --version
expect 0 "Plugin Name: Corvanta" -- --plugin "$module" --about
expect 2 "--bogus" -- --bogus
expect 2 "--seed" -- --seed abc
expect 2 "x.png" -- -o x.png
expect 1 "missing.aip: cannot be opened" -- --plugin missing.aip
expect 1 "Suite Loading Error: 1394689636, suite: ADM Tracker Suite, version: 1!" -- \
  --plugin "$module" --without-suite "ADM Tracker Suite"
expect 1 "'S!Fd'" -- --plugin "$module" --without-suite "AI Art Suite" -o none.svg
[ -e none.svg ] && fail "a failed run wrote its output"

[ "$failures" -eq 0 ] && echo "command line: all checks passed"
exit $((failures > 0))
