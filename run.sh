#!/usr/bin/env bash
# Builds the Windows product, assembles its program folder and starts the
# tray program tessary.exe from it under Wine.
#
# The product is the 32-bit build (dist/). On a machine that cannot run 32-bit
# programs the 64-bit build (dist64/) is built and started instead.
# SUITE_HIDE_32BIT=1 picks the 64-bit build on any machine.
set -eu
cd "$(dirname "$0")"

scripts/install-deps.sh windows

if scripts/probe-32bit.sh; then
    tree=windows
    folder=dist
    echo "run.sh: starting the 32-bit build from $folder/"
else
    tree=windows64
    folder=dist64
    echo "run.sh: starting the 64-bit build from $folder/ (32-bit programs cannot run here)"
fi

# Configured when its build files are missing (a first run, or one cut off).
[ -f "build/$tree/build.ninja" ] || cmake --preset "$tree"
cmake --build --preset "$tree"

# Installed over an earlier folder, so the user's settings, reminders,
# Data\network.ini and weather cache there are kept; the programs and the
# shipped files are replaced.
cmake --install "build/$tree" --prefix "$folder" >/dev/null
echo "run.sh: assembled $folder/"

# The Wine runner gives the program the Chinese locale and fonts; no time
# limit, the program runs until the user quits it from its tray menu; the
# user's own time zone and sound device.
WINE_RUN_TIMEOUT=0 WINE_RUN_TZ=system WINE_RUN_AUDIO=system exec "build/$tree/wine-run" "$folder/tessary.exe" "$@"
