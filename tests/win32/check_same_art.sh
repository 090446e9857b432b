#!/usr/bin/env bash
# The Windows module under wine draws exactly what the Linux module draws: easel.exe with
# QM07_Corvanta.aip (32-bit Windows) and the Linux easel with its module, given the same
# arguments, end the same way and write byte-identical JSON dumps and SVG files.
#   check_same_art.sh BUILD
BUILD=$(cd "$1" && pwd)
source "$(dirname "$0")/../../scripts/wine-env.sh"
work=$BUILD/tests/win32/same-art
rm -rf "$work" && mkdir -p "$work/linux" "$work/windows" && cd "$work"

cases=()  # "name|arguments"
cases+=("default|--seed 1")
for p in $(seq 0 29); do cases+=("preset-$p|--seed $((100 + p)) --set 152=$p"); done
for s in 3 17 4242 99991; do cases+=("tumble-$s|--seed $s --press 181"); done
for s in 8 80; do cases+=("tumble-twice-$s|--seed $s --press 181 --press 181"); done
for m in gray rgb cmyk; do cases+=("model-$m|--seed 7 --color-model $m --set 152=13"); done
cases+=("picks|--seed 11 --pick 190=500,200 --pick 191=300,320 --press 162 --pick 192=420,250 --pick 193=100,100")
cases+=("shuffle|--seed 12 --press 180 --press 180")
cases+=("preset-then-tumble|--seed 13 --set 152=21 --press 181")
cases+=("cancel|--seed 14 --set 152=5 --press 2")

compared=0 same=0 failures=()
for c in "${cases[@]}"; do
  name=${c%%|*}
  read -r -a args <<<"${c#*|}"
  for ext in json svg; do
    "$BUILD/bin/easel" --fresh "${args[@]}" -o "linux/$name.$ext" >"linux/$name.$ext.out" 2>&1 && l=0 || l=$?
    wine_easel --fresh "${args[@]}" -o "windows/$name.$ext" >"windows/$name.$ext.out" 2>&1 && w=0 || w=$?
    compared=$((compared + 1))
    if [ "$l" != "$w" ]; then
      failures+=("$name.$ext: exit $l on Linux, $w under wine")
    elif [ -e "linux/$name.$ext" ] || [ -e "windows/$name.$ext" ]; then
      if cmp -s "linux/$name.$ext" "windows/$name.$ext"; then same=$((same + 1)); else
        failures+=("$name.$ext: the files differ ($(cmp "linux/$name.$ext" "windows/$name.$ext" 2>&1 | head -1 || true))")
      fi
    else
      same=$((same + 1))  # both wrote nothing (the dialog was canceled), as they should
    fi
  done
done

for f in "${failures[@]}"; do echo "FAIL: $f"; done
echo "$same of $compared outputs identical (in $work)"
echo "$same passed, $((compared - same)) failed"
[ "$same" -eq "$compared" ]
