#!/usr/bin/env bash
# Builds the Windows tree, assembles the program folder dist/ and starts the
# tray program dist/tessary.exe under Wine.
set -eu
cd "$(dirname "$0")"

scripts/install-deps.sh windows

[ -f build/windows/CMakeCache.txt ] || cmake --preset windows
cmake --build --preset windows

rm -rf dist
cmake --install build/windows --prefix dist >/dev/null
echo "run.sh: assembled dist/"

if [ ! -f dist/tessary.exe ]; then
    echo "run.sh: the tray program tessary.exe is not built yet, so there is nothing to start." >&2
    echo "run.sh: dist/ holds what exists so far: $(cd dist && find . -type f | sort | tr '\n' ' ')" >&2
    exit 1
fi

# The Wine runner gives the program the Chinese locale and fonts; no time
# limit, the program runs until the user quits it from its tray menu.
WINE_RUN_TIMEOUT=0 WINE_RUN_TZ=system exec build/windows/wine-run dist/tessary.exe "$@"
