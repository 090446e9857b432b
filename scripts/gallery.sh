#!/usr/bin/env bash
# gallery.sh [BUILD] [SEED]: the filter's presets side by side. Each entry of the preset list
# (the settings dialog's item 152) is drawn on a new document by the real module with one seed,
# `easel --fresh --seed SEED --set 152=P -o P.png`, and ImageMagick's montage puts the pages in
# one picture, each with the preset's name under it: BUILD/gallery.png (BUILD: build; SEED: 7).
# The kept record is neither read nor written (--fresh).
set -euo pipefail
build=${1:-build} seed=${2:-7}
easel=$build/bin/easel
out=$build/gallery.png
command -v montage >/dev/null || { echo "gallery: montage is not installed (scripts/setup.sh installs imagemagick)" >&2; exit 1; }
[ -x "$easel" ] || { echo "gallery: $easel is not built" >&2; exit 1; }

work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT

# The preset names: the entries of list item 152, as the listing shows them,
#   152  popup list  ...
#       0: " Reset" (id 0)  chosen
# the dialog then canceled, so nothing is drawn.
"$easel" --fresh --list-items --press 2 >"$work/listing.txt" 2>/dev/null
sed -n '/^152 /,/^[0-9]/{s/^    \([0-9]*\): " *\(.*\)" (id .*/\1\t\2/p}' "$work/listing.txt" >"$work/presets.tsv"
count=$(wc -l <"$work/presets.tsv")
[ "$count" -gt 0 ] || { echo "gallery: the listing named no presets (item 152)" >&2; exit 1; }

args=()
while IFS=$'\t' read -r position name; do
  page=$work/$(printf '%02d' "$position").png
  "$easel" --fresh --seed "$seed" --set "152=$position" -o "$page" 2>"$work/easel.log" ||
    { echo "gallery: preset $position ($name) failed:" >&2; cat "$work/easel.log" >&2; exit 1; }
  args+=(-label "$position  $name" "$page")
done <"$work/presets.tsv"

# Pages are transparent where nothing is drawn: white behind them, a thin gray edge round each.
montage -background white -alpha remove "${args[@]}" -tile 6x -geometry 204x264+12+6 \
  -bordercolor '#b0b0b0' -border 1 -pointsize 12 -depth 8 "$out"
echo "gallery: $count presets, seed $seed: $out"
