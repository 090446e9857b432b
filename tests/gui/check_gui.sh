#!/usr/bin/env bash
# easel --gui under a virtual X server, driven as a user drives it: the About box from the Help
# menu, the filter from the Filter menu, a preset chosen in the live dialog (the document area
# must change behind it), a pick from the document, the arrows and the wheel on a spin edit,
# Shift with a tab, the dialog moved and OK, Undo and Redo, File > Export, the exported SVG
# compared with the same run on the command line, and the dialog opened again where it was left.
#   check_gui.sh EASEL MODULE ARTEFACT_DIR
# ARTEFACT_DIR receives dialog.png (the open settings dialog) and, on failure, the screenshots.
# Every wait is bounded; the whole run is bounded by the easel process's own timeout.
set -u
easel=$1 module=$2 artefacts=$3

if [ -z "${CHECK_GUI_INNER:-}" ]; then
  for tool in xvfb-run Xvfb xdotool import compare; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/setup.sh installs it)" >&2; exit 1; }
  done
  mkdir -p "$artefacts"
  CHECK_GUI_INNER=1 exec timeout 240 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

work=$(mktemp -d) && trap 'kill "$easel_pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
die() { fail "$*"; cp "$work"/*.png "$artefacts"/ 2>/dev/null; exit 1; }
xdo() { xdotool "$@" 2>/dev/null; }

# wait_window NAME: the id of the first window whose name matches, waiting up to 10 s.
wait_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdo search --onlyvisible --name "$1" | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# wait_gone NAME: until no visible window matches, up to 10 s.
wait_gone() {
  for _ in $(seq 100); do
    [ -z "$(xdo search --onlyvisible --name "$1")" ] && return 0
    sleep 0.1
  done
  return 1
}
# differing PNG PNG: how many pixels differ.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# The document window's contents below the menu bar.
shoot() { import -window "$main" -crop 800x695+0+25 +repage "$1"; }
# wait_change PNG OUT: a new shot OUT that differs from PNG, trying for up to 10 s.
wait_change() {
  for _ in $(seq 50); do
    shoot "$2"
    [ "$(differing "$1" "$2")" != "0" ] && return 0
    sleep 0.2
  done
  return 1
}
# wait_same PNG OUT: a new shot OUT equal to PNG, trying for up to 10 s; false if it never is.
wait_same() {
  for _ in $(seq 50); do
    shoot "$2"
    [ "$(differing "$1" "$2")" = "0" ] && return 0
    sleep 0.2
  done
  return 1
}
key() { xdo mousemove --window "$1" 20 40; xdo key --clearmodifiers "${@:2}"; }

mkdir config
XDG_CONFIG_HOME="$work/config" timeout 200 "$easel" --gui --plugin "$module" --seed 7 >gui.log 2>&1 &
easel_pid=$!
main=$(wait_window '^Easel') || die "the document window did not open: $(cat gui.log)"
sleep 0.5
shoot blank.png

# Help > About plug-ins > Corvanta: the About box from its template; Enter is its OK.
key "$main" alt+h Down Right Return
about=$(wait_window 'Corvanta Plug-in About') || die "Help > About plug-ins > Corvanta showed no About box"
[ "$(xdo getwindowgeometry "$about" | sed -n 's/.*Geometry: //p')" = "453x270" ] ||
  fail "the About box is not its template's 302 x 166 units: $(xdo getwindowgeometry "$about")"
key "$about" Return
wait_gone 'Corvanta Plug-in About' || die "the About box did not close with Enter"

# Filter > ZTK <Create> > Corvanta ...: the settings dialog, and its first preview behind it.
key "$main" alt+t Down Right Return
dialog=$(wait_window '^Corvanta Plug-in$') || die "the filter's dialog did not open: $(cat gui.log)"
eval "$(xdo getwindowgeometry --shell "$dialog")"
[ "$WIDTH" = 430 ] && [ "$HEIGHT" = 375 ] || fail "the dialog is ${WIDTH}x${HEIGHT}, not 430x375"
dx=$X dy=$Y
wait_change blank.png preview.png || die "the document area did not show the first preview"
sleep 0.3
import -window "$dialog" "$artefacts/dialog.png"

# The preset list (item 152 at 340, 160 .. 420, 180): its third entry, " Turning star".
xdo mousemove $((dx + 380)) $((dy + 170)) click 1
sleep 1
xdo key Down Down Return
wait_change preview.png preset.png || die "choosing a preset did not redraw the document"
sleep 0.5
shoot preset.png

# A pick: Shift and the picture button beside the group count (190 at 270, 60 .. 290, 80), then
# a click in the document. The page is fitted (zoom 663/792, centre 306, 396 at the area's
# middle), so the area's pixel 525 is artwork x 455.3, and the count becomes 45. On the
# command line's view (zoom 1, 800 x 600) the same x is view point 549.
xdo mousemove $((dx + 280)) $((dy + 70)) keydown shift click 1 keyup shift
sleep 0.8
xdo mousemove --window "$main" 525 325 click 1
wait_change preset.png picked.png || die "a pick in the document did not redraw it"
sleep 0.5
shoot preset.png

# The group count (item 4 at 200, 60 .. 260, 80; its arrows the last 12 pixels, up above down)
# is 45 now: Shift and the up arrow make it 55; a click in the field and one notch of the wheel
# down, 54. The command line below sets 54.
xdo mousemove $((dx + 254)) $((dy + 64)) keydown shift click 1 keyup shift
sleep 0.3
xdo mousemove $((dx + 220)) $((dy + 70)) click 1
sleep 0.2
xdo click 5
sleep 0.5
wait_change preset.png stepped.png || die "the arrows and the wheel did not redraw the document"
sleep 0.5
shoot preset.png

# Shift with a tab (162, "Distort", at 130, 5 .. 180, 35) switches the tab, as without Shift;
# only the pick buttons take a pick.
import -window "$dialog" tab_before.png
xdo mousemove $((dx + 155)) $((dy + 20)) keydown shift click 1 keyup shift
sleep 0.5
import -window "$dialog" tab_after.png
[ "$(differing tab_before.png tab_after.png)" != "0" ] || fail "Shift with a tab button did not switch the tab"

# The dialog moved, then OK (item 1 at 340, 10 .. 420, 30): it keeps the preview, and its place.
xdo windowmove "$dialog" 120 140
sleep 0.5
eval "$(xdo getwindowgeometry --shell "$dialog")"
[ "$X" = 120 ] && [ "$Y" = 140 ] || fail "the dialog could not be moved for the test: at $X, $Y"
dx=$X dy=$Y
xdo mousemove $((dx + 380)) $((dy + 20)) click 1
wait_gone '^Corvanta Plug-in$' || die "OK did not close the dialog"
wait_same preset.png kept.png || fail "OK did not keep the last preview"

# Edit > Undo takes the whole application back; Redo brings it again.
key "$main" ctrl+z
wait_same blank.png undone.png || fail "Undo did not give back the empty page"
key "$main" ctrl+shift+z
wait_same kept.png redone.png || fail "Redo did not bring the stars back"

# File > Export: the path typed whole, then the file written.
key "$main" ctrl+e
export_window=$(wait_window '^Export$') || die "File > Export opened no window"
key "$export_window" ctrl+a
xdo type --delay 10 "$work/gui.svg"
xdo key Return
for _ in $(seq 50); do [ -s gui.svg ] && break; sleep 0.1; done
[ -s gui.svg ] || die "the export wrote no file: $(cat gui.log)"

# The filter again: its dialog opens where it was left; Escape cancels it.
key "$main" alt+t Down Right Return
dialog=$(wait_window '^Corvanta Plug-in$') || die "the filter's dialog did not open again"
eval "$(xdo getwindowgeometry --shell "$dialog")"
[ "$X" = 120 ] && [ "$Y" = 140 ] || fail "the dialog reopened at $X, $Y, not where it was left (120, 140)"
key "$dialog" Escape
wait_gone '^Corvanta Plug-in$' || die "Escape did not close the dialog"

key "$main" ctrl+q
for _ in $(seq 50); do kill -0 "$easel_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$easel_pid" 2>/dev/null && fail "File > Quit did not end easel"
wait "$easel_pid" || fail "easel --gui exited with $?: $(cat gui.log)"

# The same choices on the command line draw the same document.
mkdir config2
XDG_CONFIG_HOME="$work/config2" "$easel" --plugin "$module" --seed 7 --set 152=2 --pick 190=549,300 --set 4=54 --press 162 --press 1 -o cli.svg 2>cli.log ||
  fail "the command line run failed: $(cat cli.log)"
cmp -s gui.svg cli.svg || fail "the window's export differs from the command line's: $(diff gui.svg cli.svg | head -5)"

if [ "$failures" -eq 0 ]; then
  echo "gui: all checks passed"
else
  cp "$work"/*.png "$artefacts"/ 2>/dev/null
fi
exit $((failures > 0))
