#!/usr/bin/env bash
# easel.exe's command line under wine: the options work as on Linux (same output, same exit
# status), what the Windows build lacks is refused naming it (exit 2), and modules that are not
# Windows plug-ins are refused with the reason.
#   check_command_line.sh BUILD
BUILD=$(cd "$1" && pwd)
source "$(dirname "$0")/../../scripts/wine-env.sh"
work=$BUILD/tests/win32/command-line
rm -rf "$work" && mkdir -p "$work" && cd "$work"
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# Runs both builds with the same arguments; their exit status, standard output and error must
# be the same (with each module's path written MODULE, since they differ).
same() {
  local name=$1; shift
  "$BUILD/bin/easel" --plugin "$BUILD/QM07_Corvanta.aip" "$@" >"$name.linux.out" 2>"$name.linux.err" && l=0 || l=$?
  wine_easel --plugin "$WIN32_DIR/QM07_Corvanta.aip" "$@" >"$name.wine.out" 2>"$name.wine.err" && w=0 || w=$?
  sed -i 's/\r$//' "$name.wine.out" "$name.wine.err"
  sed -i "s|$BUILD/QM07_Corvanta.aip|MODULE|g" "$name.linux.out" "$name.linux.err"
  sed -i "s|$WIN32_DIR/QM07_Corvanta.aip|MODULE|g" "$name.wine.out" "$name.wine.err"
  if [ "$l" != "$w" ]; then fail "$name: exit $l on Linux, $w under wine"; return; fi
  cmp -s "$name.linux.out" "$name.wine.out" || { fail "$name: standard output differs"; return; }
  cmp -s "$name.linux.err" "$name.wine.err" || { fail "$name: standard error differs: $(diff "$name.linux.err" "$name.wine.err" | head -3)"; return; }
  pass
}
same about --about
same list-items --fresh --seed 1 --list-items=json --press 2
same list-items-text --fresh --seed 1 --press 163 --list-items --press 2
same without-art --fresh --seed 1 --without-suite "AI Art Suite" -o x.svg
same refused-value --fresh --seed 1 --set 1000=4 -o x.svg
same out-of-range --fresh --seed 1 --set 3=99999 -o y.json
same bad-option --frobnicate
same version --version

# What the Windows build lacks: exit 2, naming it, nothing written.
expect_refusal() {  # NAME TEXT ARGS...
  local name=$1 text=$2; shift 2
  wine_easel "$@" >"$name.out" 2>&1 && s=0 || s=$?
  sed -i 's/\r$//' "$name.out"
  if [ "$s" = 2 ] && grep -q "$text" "$name.out"; then pass; else fail "$name: exit $s: $(head -2 "$name.out")"; fi
}
expect_refusal gui "no window (it is built without FLTK)" --gui
expect_refusal png "no PNG or PDF export (it is built without cairo)" --fresh -o page.png
expect_refusal pdf "no PNG or PDF export (it is built without cairo)" --fresh -o page.pdf
[ ! -e page.png ] && [ ! -e page.pdf ] && pass || fail "a PNG or PDF was written"

# Modules the Windows loader refuses, each with its reason (exit 1).
expect_module_refused() {  # NAME TEXT PATH
  wine_easel --fresh --plugin "$3" -o z.svg >"$1.out" 2>&1 && s=0 || s=$?
  sed -i 's/\r$//' "$1.out"
  if [ "$s" = 1 ] && grep -q "$2" "$1.out"; then pass; else fail "$1: exit $s: $(head -2 "$1.out")"; fi
}
echo "not a module" >text.aip
cp "$BUILD/QM07_Corvanta.aip" linux.aip
expect_module_refused text "text.aip: not a Windows module" text.aip
expect_module_refused linux-module "linux.aip: not a Windows module" linux.aip
expect_module_refused missing "nowhere.aip: cannot be opened" nowhere.aip
expect_module_refused no-property-list "no plug-in property list (PIPL 16000)" "$WIN32_DIR/easel.exe"
expect_module_refused no-entry "does not export its entry point PluginMain" "$WIN32_DIR/fixtures/no_entry.aip"
[ ! -e z.svg ] && pass || fail "a refused module's run wrote a file"

# A module that faults: the validator's child process ends with the exception's code, and the
# check fails naming it, instead of the validator going down.
wine_easel validate --plugin "$WIN32_DIR/fixtures/crashing_entry.aip" --only module/opens --seed 1 >crash.out 2>&1 && s=0 || s=$?
sed -i 's/\r$//' crash.out
if [ "$s" = 1 ] && grep -q "FAIL module/opens: crashed with exception 0xC0000005 (access violation)" crash.out &&
   grep -q "0 passed, 1 failed" crash.out; then pass; else fail "crashing module: exit $s: $(head -3 crash.out)"; fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
