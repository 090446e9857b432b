#!/usr/bin/env bash
# easel --gui under a virtual X server, driven as a user drives it: the About box from the Help
# menu, the filter from the Filter menu, a preset chosen in the live dialog (the document area
# must change behind it), a pick from the document, the arrows and the wheel on a spin edit,
# Shift with a tab, the dialog moved and OK, Undo and Redo, File > Export, the exported SVG
# compared with the same run on the command line, and the dialog opened again where it was left.
# Then the document's files and layers: Save As, the Layers panel (new, rename, move, hide)
# and Save, Open over unsaved changes, an SVG whose import left something out written over
# only after asking, Open Recent with a file gone, File > New, and Quit over unsaved changes.
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
# The document area: the window's contents below the menu bar, left of the Layers panel.
shoot() { import -window "$main" -crop 660x695+0+25 +repage "$1"; }
# wait_title TEXT: until the document window's title is TEXT, up to 10 s.
wait_title() {
  for _ in $(seq 100); do
    [ "$(xdo getwindowname "$main")" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
title() { xdo getwindowname "$main"; }
# wait_file FILE: until FILE exists and is not empty, up to 10 s.
wait_file() {
  for _ in $(seq 100); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
# choose_file TITLE PATH: in the file chooser titled TITLE, the path typed whole and Enter.
choose_file() {
  local chooser
  chooser=$(wait_window "^$1\$") || die "no \"$1\" file chooser opened"
  key "$chooser" ctrl+a
  xdo type --delay 10 "$2"
  xdo key Return
  wait_gone "^$1\$" || { import -window root "$work/chooser.png"; die "the \"$1\" file chooser did not take $2"; }
}
# The Layers panel (window pixels): its first row's visibility toggle and name, its buttons.
row1_visible="676 57" row1_name="780 57"
new_layer="691 674" rename_layer="807 674" layer_up="706 703" layer_down="794 703"
click() { xdo mousemove --window "$main" $1 click 1; }
# layers FILE: the document's layers, bottom first: name, then h when hidden, l when locked,
# * when current; read from the SVG easel converts FILE into (it says all of these).
layers() {
  "$easel" convert "$1" "$work/probe.svg" --force 2>/dev/null || { echo "(unreadable)"; return; }
  awk '/<sodipodi:namedview/ { match($0, /current-layer="layer-[0-9]+"/); cur = substr($0, RSTART + 21, RLENGTH - 22) }
       /inkscape:groupmode="layer"/ {
         n++; match($0, /inkscape:label="[^"]*"/); name[n] = substr($0, RSTART + 16, RLENGTH - 17)
         flag[n] = (index($0, "display:none") ? "h" : "") (index($0, "insensitive=\"true\"") ? "l" : "") }
       END { if (cur == "") cur = n
             for (i = 1; i <= n; i++) printf "%s%s%s%s", (i > 1 ? " " : ""), name[i], flag[i], (i == cur ? "*" : "")
             print "" }' "$work/probe.svg"
}
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
main=$(wait_window ' Easel$') || die "the document window did not open: $(cat gui.log)"
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
# middle, the area 660 pixels wide), so the area's pixel 455 is artwork x 455.3, and the count
# becomes 45. On the command line's view (zoom 1, 800 x 600) the same x is view point 549.
xdo mousemove $((dx + 280)) $((dy + 70)) keydown shift click 1 keyup shift
sleep 0.8
xdo mousemove --window "$main" 455 325 click 1
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
[ "$(title)" = "Untitled* — Easel" ] || fail "the title after the filter is \"$(title)\", not \"Untitled* — Easel\""

# File > Save As: a JSON dump that the command line converts into the very SVG exported.
key "$main" ctrl+shift+s
choose_file "Save As" "$work/saved.json"
wait_file saved.json || die "Save As wrote no file: $(cat gui.log)"
wait_title "saved.json — Easel" || fail "the title after Save As is \"$(title)\""
"$easel" convert saved.json converted.svg 2>convert.log || fail "the saved dump does not convert: $(cat convert.log)"
cmp -s converted.svg gui.svg || fail "the saved dump is not the document exported"

# The Layers panel: New (above "Layer 1", current), Rename, Down; then Layer 1, on top now,
# made current by a click on its name and hidden by its toggle: the page is empty again. Save
# writes over the document's own file.
click "$new_layer"
wait_title "saved.json* — Easel" || fail "New layer did not mark the document changed: \"$(title)\""
click "$rename_layer"
rename=$(wait_window '^Rename Layer$') || die "Rename opened no window"
key "$rename" ctrl+a
xdo type --delay 10 "Sky"
xdo key Return
wait_gone '^Rename Layer$' || die "the Rename window did not close with Enter"
click "$layer_down"
sleep 0.3
click "$row1_name"
sleep 0.3
click "$row1_visible"
wait_same blank.png hidden.png || fail "hiding the layer of the stars did not empty the page"
key "$main" ctrl+s
for _ in $(seq 100); do [ "$(layers saved.json 2>/dev/null)" = "Sky Layer 1h*" ] && break; sleep 0.1; done
[ "$(layers saved.json)" = "Sky Layer 1h*" ] || fail "the saved layers are \"$(layers saved.json)\", not \"Sky* Layer 1h\""
wait_title "saved.json — Easel" || fail "the title after Save is \"$(title)\""
# Undo shows the stars again (a change to save again); Redo hides them (as saved).
key "$main" ctrl+z
wait_same kept.png shown.png || fail "Undo did not show the hidden layer again"
wait_title "saved.json* — Easel" || fail "the title after Undo is \"$(title)\""
key "$main" ctrl+shift+z
wait_title "saved.json — Easel" || fail "Redo back to the saved state still marks changes: \"$(title)\""
key "$main" ctrl+z

# File > Open over the unsaved change: asked first; Discard. The SVG has two Inkscape layers,
# the upper one locked and current, and a text the document cannot hold: said in a message.
cat >layers.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
     xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" width="200pt" height="100pt">
  <sodipodi:namedview inkscape:current-layer="top"/>
  <g inkscape:groupmode="layer" id="bottom" inkscape:label="Ground"><rect width="50" height="40" fill="red"/></g>
  <g inkscape:groupmode="layer" id="top" inkscape:label="Ink" sodipodi:insensitive="true"><text>left out</text></g>
</svg>
SVG
key "$main" ctrl+o
ask=$(wait_window '^Save Changes$') || die "Open over unsaved changes did not ask first"
key "$ask" d
choose_file "Open" "$work/layers.svg"
left=$(wait_window '^Left Out$') || die "opening an SVG with a text showed no message of what was left out"
key "$left" Return
wait_title "layers.svg — Easel" || fail "the title after Open is \"$(title)\""
# Save writes over the file the import could not hold whole: only after asking. Cancel first.
key "$main" ctrl+s
ask=$(wait_window '^Replace File$') || die "Save over a file the import left something of did not ask"
key "$ask" Escape
wait_gone '^Replace File$'
grep -q '<text' layers.svg || fail "cancelling the question still wrote over layers.svg"
key "$main" ctrl+s
ask=$(wait_window '^Replace File$') || die "Save asked only once"
key "$ask" Return
for _ in $(seq 100); do grep -q '<text' layers.svg || break; sleep 0.1; done
grep -q '<text' layers.svg && fail "Write anyway did not write over layers.svg"
"$easel" convert layers.svg layers.json 2>convert.log || fail "the saved SVG does not read back: $(cat convert.log)"
[ "$(layers layers.json)" = "Ground Inkl*" ] || fail "the saved SVG's layers are \"$(layers layers.json)\""

# Open Recent: layers.svg is first, saved.json second; saved.json gone, it is taken off the list.
head -2 config/easel/recent-files | tr '\n' ' ' | grep -qx "$work/layers.svg $work/saved.json " ||
  fail "the recent files are not layers.svg, saved.json: $(cat config/easel/recent-files)"
rm saved.json
key "$main" alt+f Down Down Down Right Down Return
gone=$(wait_window '^Open Recent$') || die "opening a recent file that is gone said nothing"
key "$gone" Return
for _ in $(seq 100); do ! grep -q saved.json config/easel/recent-files && break; sleep 0.1; done
grep -q saved.json config/easel/recent-files && fail "a recent file that is gone stayed on the list"
[ "$(title)" = "layers.svg — Easel" ] || fail "opening a recent file that is gone changed the document: \"$(title)\""

# File > New: a Letter page in RGB, "Untitled" with nothing to save.
key "$main" ctrl+n
new=$(wait_window '^New Document$') || die "File > New opened no window"
key "$new" Return
wait_title "Untitled — Easel" || fail "the title after New is \"$(title)\""

# Quit over a change: asked; Cancel keeps the window, then Discard ends easel.
click "$new_layer"
wait_title "Untitled* — Easel" || fail "New layer did not mark the new document changed"
key "$main" ctrl+q
ask=$(wait_window '^Save Changes$') || die "Quit over unsaved changes did not ask first"
key "$ask" Escape
wait_gone '^Save Changes$'
kill -0 "$easel_pid" 2>/dev/null || die "Cancel on the question still ended easel"
key "$main" ctrl+q
ask=$(wait_window '^Save Changes$') || die "Quit over unsaved changes did not ask the second time"
key "$ask" d
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
