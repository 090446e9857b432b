#!/usr/bin/env bash
# Runs the Windows easel.exe of build folder BUILD under wine, with the given arguments:
#   scripts/wine-easel.sh BUILD [easel arguments...]
BUILD=$(cd "${1:?usage: wine-easel.sh BUILD [arguments...]}" && pwd)
shift
source "$(dirname "$0")/wine-env.sh"
wine_easel "$@"
