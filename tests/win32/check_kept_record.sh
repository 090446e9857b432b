#!/usr/bin/env bash
# The kept settings record is the same 632 bytes on both systems: a record written by either
# build is read by the other and gives the same document, and the same record afterwards.
#   check_kept_record.sh BUILD
BUILD=$(cd "$1" && pwd)
source "$(dirname "$0")/../../scripts/wine-env.sh"
work=$BUILD/tests/win32/kept-record
rm -rf "$work" && mkdir -p "$work" && cd "$work"
linux() { "$BUILD/bin/easel" "$@" >>linux.out 2>&1; }
fail() { echo "FAIL: $*"; echo "0 passed, 1 failed"; exit 1; }

# Written by one build with a preset and a few edits, then read by both with a new seed.
exchange() {  # WRITER READER-NAME PRESET
  local writer=$1 preset=$2 tag=$1-$2
  "$writer" --seed 21 --params "$tag.params" --set 152="$preset" --press 160 --set 10=7 -o "$tag-written.json" ||
    fail "$writer did not write its record"
  [ "$(stat -c %s "$tag.params")" = 632 ] || fail "$writer wrote a record of $(stat -c %s "$tag.params") bytes"
  cp "$tag.params" "$tag-l.params" && cp "$tag.params" "$tag-w.params"
  linux --seed 22 --params "$tag-l.params" -o "$tag-l.json" || fail "Linux did not run from $writer's record"
  wine_easel --seed 22 --params "$tag-w.params" -o "$tag-w.json" >>wine.out 2>&1 ||
    fail "wine did not run from $writer's record"
  cmp -s "$tag-l.json" "$tag-w.json" || fail "$writer's record gives different documents"
  cmp -s "$tag-l.params" "$tag-w.params" || fail "$writer's record is kept differently"
  # The record was used, not ignored: the document is not the default one.
  linux --fresh --seed 22 -o "$tag-default.json"
  ! cmp -s "$tag-l.json" "$tag-default.json" || fail "$writer's record was not read"
}
exchange linux 9
exchange wine_easel 17
echo "2 passed, 0 failed"
