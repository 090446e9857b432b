#!/usr/bin/env bash
# The validator, built for Windows, passes on the Windows module under wine: its module checks
# read the DLL's export table and resources, and every check runs in a child process.
#   check_validate.sh BUILD [VALIDATE ARGS...]
BUILD=$(cd "$1" && pwd)
shift
source "$(dirname "$0")/../../scripts/wine-env.sh"
cd "$WIN32_DIR"
wine_easel validate --plugin QM07_Corvanta.aip "$@"
