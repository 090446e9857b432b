# Sourced by the scripts that run the Windows build: easel.exe runs under wine in a prefix of
# the build's own, made once, or the script exits 77 (the tests' skip code) saying why wine
# cannot run it.
#   BUILD: the build folder (set before sourcing). Gives WIN32_DIR and wine_easel ARGS...
set -euo pipefail
: "${BUILD:?}"
WIN32_DIR=$BUILD/win32
skip() { echo "SKIP: $*"; exit 77; }

command -v wine >/dev/null || skip "wine is not installed (scripts/setup.sh installs it when the mirror allows)"
[ -x "$WIN32_DIR/easel.exe" ] || skip "$WIN32_DIR/easel.exe is not built (CORVANTA_WIN32 is off)"

export WINEPREFIX=$BUILD/wine-prefix
export WINEDEBUG=-all
export WINEARCH=win32
# No Mono or Gecko: the prefix is for console programs, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

# Made once under a lock, since the tests run in parallel; a broken prefix is made again.
(
  flock 9
  if [ ! -f "$WINEPREFIX/.made" ]; then
    rm -rf "$WINEPREFIX"
    wineboot --init >"$BUILD/wine-prefix.log" 2>&1 || true
    wineserver --wait || true
    # A 32-bit program must start: wine32 may be missing although wine is there.
    wine "$WIN32_DIR/easel.exe" --version >>"$BUILD/wine-prefix.log" 2>&1 ||
      { rm -rf "$WINEPREFIX"; echo "SKIP: wine cannot run 32-bit programs here (is wine32 installed?); see $BUILD/wine-prefix.log"; exit 77; }
    touch "$WINEPREFIX/.made"
  fi
) 9>"$BUILD/wine-prefix.lock" || exit $?

# Kept running between the runs of one test, so each run does not start it afresh.
wineserver --persistent=15 >/dev/null 2>&1 </dev/null &

wine_easel() { wine "$WIN32_DIR/easel.exe" "$@"; }
