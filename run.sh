#!/usr/bin/env bash
# Builds the Windows product, assembles its program folder, starts the
# maker's site service (tessary-site) on a free port of 127.0.0.1, points
# the suite at it in Data\network.ini, and starts the tray program
# tessary.exe from the folder under Wine. The service stops when the suite
# ends.
#
# TESSARY_SITE=host:port points the suite at a site service that runs
# elsewhere instead; none is started then.
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

site_pid=
stop_site() {
    if [ -n "$site_pid" ]; then
        kill "$site_pid" 2>/dev/null || true
        wait "$site_pid" 2>/dev/null || true
        echo "run.sh: stopped the site service"
    fi
}
trap stop_site EXIT

# Starts the service built beside the tree; site_host gets the host:port it took.
start_site() {
    local program="build/$tree/site-host/bin/tessary-site" log="build/$tree/tessary-site.log"
    local port_file="build/$tree/tessary-site.port" port=
    rm -f "$port_file"
    # The skin packages this build made are the published skins.
    "$program" --config site/tessary-site.ini --port 0 --skins "build/$tree/published-skins" \
        </dev/null >"$port_file" 2>"$log" &
    site_pid=$!
    for _ in $(seq 100); do
        port=$(head -n 1 "$port_file" 2>/dev/null || true)
        [ -n "$port" ] && break
        kill -0 "$site_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$port" ]; then
        echo "run.sh: the site service did not start:" >&2
        cat "$log" >&2
        exit 1
    fi
    site_host="127.0.0.1:$port"
    echo "run.sh: the site service listens on $site_host (requests logged in $log)"
}

# Sets site= and weather= of [hosts] in Data\network.ini to $1; every other
# line (a time server the user chose, say) stays as it was.
point_suite_at() {
    local file="$folder/Data/network.ini" host=$1
    mkdir -p "$folder/Data"
    [ -f "$file" ] || printf '[hosts]\r\n' >"$file"
    grep -qi '^\[hosts\]' "$file" || printf '[hosts]\r\n' >>"$file"
    awk -v host="$host" '
        { line = $0; sub(/\r$/, "", line) }
        tolower(line) ~ /^\[/ { in_hosts = tolower(line) ~ /^\[hosts\]/ }
        in_hosts && tolower(line) ~ /^[ \t]*(site|weather)[ \t]*=/ { next }
        { print }
        in_hosts && tolower(line) ~ /^\[hosts\]/ { printf "site=%s\r\nweather=%s\r\n", host, host }
    ' "$file" >"$file.new" && mv "$file.new" "$file"
}

if [ -n "${TESSARY_SITE:-}" ]; then
    site_host=$TESSARY_SITE
    echo "run.sh: using the site service at $site_host"
else
    start_site
fi
point_suite_at "$site_host"

# The Wine runner gives the program the Chinese locale and fonts; no time
# limit, the program runs until the user quits it from its tray menu; the
# user's own time zone and sound device. Not exec'd: the service is stopped
# when the suite ends.
WINE_RUN_TIMEOUT=0 WINE_RUN_TZ=system WINE_RUN_AUDIO=system "build/$tree/wine-run" "$folder/tessary.exe" "$@"
