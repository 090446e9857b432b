#!/usr/bin/env bash
# The easel command line end to end: the main job, its outputs, exit codes and messages.
#   check_command_line.sh EASEL MODULE
set -u
easel=$1 module=$2
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cd "$work"
# The kept settings go here, never into the real user's configuration.
export XDG_CONFIG_HOME="$work/config"
kept="$XDG_CONFIG_HOME/easel/QM07_Corvanta.params"
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
expect 2 "x.gif" -- -o x.gif
expect 1 "missing.aip: cannot be opened" -- --plugin missing.aip
expect 1 "Suite Loading Error: 1394689636, suite: ADM Tracker Suite, version: 1!" -- \
  --plugin "$module" --without-suite "ADM Tracker Suite"
expect 1 "Suite Loading Error: 1394689636, suite: AI Art Suite, version: 9!" -- \
  --plugin "$module" --without-suite "AI Art Suite" -o none.svg
[ -e none.svg ] && fail "a failed run wrote its output"

# The settings dialog driven from the command line.
rm -f stars.svg "$kept"
expect 0 "wrote stars.svg" -- --plugin "$module" --seed 3 --set 4=12 --press 163 --set 153=1 --set 33=2 --set "154= Reduced" \
  --press 161 --set "151= Set 5 - Points/Radius" --set 12=7
[ "$(stat -c %s "$kept" 2>/dev/null)" = 632 ] || fail "the record was not kept in $kept"
"$easel" --plugin "$module" --list-items=json --press 2 >items.json 2>/dev/null
grep -q '"id": 4, "kind": "spin edit", "text": "12", "value": 12, "min": 2, "max": 400' items.json ||
  fail "the next run did not open with the kept record: $(head -c 400 items.json)"
grep -q '"id": 151, .*"chosen": 4}' items.json || fail "the kept star set is not chosen"
expect 0 "4  spin edit  \"10\"" -- --plugin "$module" --fresh --list-items --press 2
expect 0 "4  spin edit  \"40\"" -- --plugin "$module" --fresh --pick 190=500,300 --list-items -o pick.svg
cp "$kept" kept.before
expect 0 "the dialog was canceled" -- --plugin "$module" --press 160 --set 4=30 --press 2 -o canceled.svg
[ -e canceled.svg ] && fail "a canceled run wrote its output"
cmp -s "$kept" kept.before || fail "a canceled run changed the kept record"
expect 2 "--set 99=1: the dialog has no item 99" -- --plugin "$module" --set 99=1 -o bad.svg
expect 2 "--set 4=abc: item 4 (spin edit) takes a number" -- --plugin "$module" --set 4=abc -o bad.svg
expect 2 "--set 20=5: item 20 (spin edit) is not shown" -- --plugin "$module" --set 20=5 -o bad.svg
expect 2 "--press 4: item 4 (spin edit) cannot be pressed" -- --plugin "$module" --press 4 -o bad.svg
expect 2 "--pick 190=1: expected ID=H,V" -- --plugin "$module" --pick 190=1 -o bad.svg
expect 2 "--list-items=xml" -- --plugin "$module" --list-items=xml
[ -e bad.svg ] && fail "a refused action wrote its output"
cmp -s "$kept" kept.before || fail "a refused action changed the kept record"
expect 0 "Plugin Name: Corvanta" -- --plugin "$module" --about --press 1

# A broken record file is named, left alone, and the run starts from the defaults.
printf 'short' >broken.params
expect 0 "broken.params: not a settings record" -- --plugin "$module" --params broken.params --list-items -o b.svg
grep -q "value 10 " out.txt || fail "a broken record did not start from the defaults"
[ "$(cat broken.params)" = short ] || fail "the broken record file was changed"
expect 0 "wrote p.svg" -- --plugin "$module" --params own.params --set 4=9 -o p.svg
[ "$(stat -c %s own.params 2>/dev/null)" = 632 ] || fail "--params FILE was not written"

[ "$failures" -eq 0 ] && echo "command line: all checks passed"
exit $((failures > 0))
