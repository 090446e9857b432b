#!/usr/bin/env bash
# easel --open and easel convert: a locked current layer fails the run with the plug-in's
# message and exit 1 and nothing written; a lossy import is not written over a file without
# --force; Easel's own SVG converts back to the same bytes.
set -u
easel="$1" module="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*" >&2; exit 1; }
cat > locked.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" width="200pt" height="100pt" viewBox="0 0 200 100">
<g inkscape:groupmode="layer" inkscape:label="Locked" sodipodi:insensitive="true"><rect width="10" height="10"/></g></svg>
SVG
"$easel" convert locked.svg locked.json 2>/dev/null || fail "convert locked.svg"
for input in locked.svg locked.json; do
  "$easel" --plugin "$module" --fresh --seed 1 --open "$input" -o out.svg 2>err.txt
  [ $? -eq 1 ] || fail "--open $input: exit status"
  grep -q "a layer is locked or invisible" err.txt || fail "--open $input: no SEGM message"
  [ ! -e out.svg ] || fail "--open $input: a file was written"
done
printf '<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100"><text>x</text><rect width="5" height="5"/></svg>' > lost.svg
echo keep > there.json
"$easel" convert lost.svg there.json 2>err.txt
[ $? -eq 2 ] || fail "lossy convert over a file: exit status"
grep -q "text (1)" err.txt || fail "lossy convert: the warning is not named"
[ "$(cat there.json)" = keep ] || fail "lossy convert wrote over the file"
"$easel" convert lost.svg there.json --force 2>/dev/null || fail "--force"
printf '<svg>\n<g>\n</svg>' > bad.svg
"$easel" convert bad.svg x.json 2>err.txt
[ $? -eq 1 ] || fail "malformed: exit status"
grep -q '"bad.svg": line 3' err.txt || fail "malformed: file and line not named"
"$easel" --plugin "$module" --fresh --seed 3 -o a.svg 2>/dev/null || fail "run"
"$easel" convert a.svg b.svg 2>/dev/null || fail "convert a.svg"
cmp -s a.svg b.svg || fail "Easel's SVG did not convert back to the same bytes"
echo ok
