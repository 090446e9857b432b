#!/usr/bin/env bash
# Checks both builds of the module: the only exported symbol is PluginMain, and the resources
# travel with it (a .corvanta.res section in the Linux module, a resource section in the DLL).
set -euo pipefail
linux=$1
win32=${2:-}  # empty when the Windows build is off
fail() { echo "FAIL: $*"; exit 1; }

exports=$(nm -D --defined-only "$linux" | awk '{print $3}' | sort -u)
[ "$exports" = "PluginMain" ] || fail "$linux exports: $(echo $exports)"
objdump -h "$linux" | grep -c '\.corvanta\.res' >/dev/null || fail "$linux has no .corvanta.res section"

[ -n "$win32" ] || { echo "1 passed, 0 failed"; exit 0; }
dll=$(i686-w64-mingw32-objdump -p "$win32")
grep -q 'i386' <<<"$dll" || fail "$win32 is not a 32-bit x86 module"
names=$(echo "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s+\[' | awk '{print $NF}' | sort -u)
[ "$names" = "PluginMain" ] || fail "$win32 exports: $(echo $names)"
i686-w64-mingw32-objdump -h "$win32" | grep -c "\.rsrc" >/dev/null || fail "$win32 has no resource section"
echo "1 passed, 0 failed"
