#!/usr/bin/env bash
# The suite's idle cost under Wine, measured against a bare window program.
#
#   scripts/idle-cost.sh [--tree windows64|windows32] [--settle SECONDS] [--span SECONDS]
#                        [--reminders "0 10000"] [--pointer on|away]
#
# Builds the product and the benchmark's programs in the tree (64-bit by
# default), then runs, one after the other on a display, a prefix and a wine
# server of the benchmark's own (build/<tree>/idle-cost/): bare_window.exe,
# and the assembled suite once for each reminder count (a fresh program
# folder each time, Calendar.dat holding that many reminders, none of them
# due). Each program's window has the pointer resting on it; with
# --pointer away the pointer stays at the middle of the screen, away from
# both windows, and the calendar hides at its edge after a few seconds (the
# shipped settings hide it). After the
# settling time the processor time (user + system, /proc/<pid>/stat) of the
# program's Wine process, of the wine server and of the prefix's other Wine
# processes (services, the tray) is taken over the measured span and printed
# per minute, with the ratio to the bare window, the resident memory and the
# time from the process's start to its window being visible.
#
# A benchmark, not a test: it asserts no figure, and ./test.sh does not run it.
set -eu
cd "$(dirname "$0")/.."

tree=windows64
settle=20
span=60
reminder_counts="0 10000"
pointer=on
while [ $# -gt 0 ]; do
    case "$1" in
    --tree) tree=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    --span) span=$2; shift 2 ;;
    --reminders) reminder_counts=$2; shift 2 ;;
    --pointer) pointer=$2; shift 2 ;;
    *)
        echo "usage: $0 [--tree windows64|windows32] [--settle S] [--span S] [--reminders \"0 10000\"]" \
            "[--pointer on|away]" >&2
        exit 2
        ;;
    esac
done
case "$pointer" in
on) pointer_argument=() ;;
away) pointer_argument=(away) ;;
*) echo "idle-cost: --pointer is on or away" >&2; exit 2 ;;
esac
case "$tree" in
windows64) preset=windows64 ;;
windows32) preset=windows ;;
*) echo "idle-cost: --tree is windows64 or windows32" >&2; exit 2 ;;
esac

build="build/$preset"
bench="$PWD/$build/idle-cost"
ticks_per_second=$(getconf CLK_TCK)

scripts/install-deps.sh windows
[ -f "$build/build.ninja" ] || cmake --preset "$preset"
# What the program folder holds (every program and DLL cmake --install
# copies out of the build tree, and the images) plus the benchmark's own
# programs; not the tests.
product=$(grep -rhoE --include=cmake_install.cmake "\"$PWD/$build/bin/[^\"]+\.(exe|dll)\"" "$build" |
    tr -d '"' | sed "s|^$PWD/$build/||" | sort -u)
# shellcheck disable=SC2086 # one target per word
cmake --build "$build" --target $product art bare_window window_wait reminder_file_writer

# The benchmark's own state folder and prefix: its Xvfb display and its wine
# server serve nothing else, so the server's time is the measured program's.
export WINE_RUN_STATE="$bench/wine-state"
export WINE_RUN_PREFIX="$bench/wineprefix"
unset DISPLAY
run="$PWD/$build/wine-run"
writer="$PWD/$build/bin/reminder_file_writer.exe"
mkdir -p "$bench"
trap '"$run" --stop' EXIT

# Field N (counted as proc(5) counts them, N >= 3) of /proc/<pid>/stat. The
# name in brackets may hold spaces, so the fields are taken after it.
stat_field() {
    local n=$2 line
    line=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    # shellcheck disable=SC2086 # one field per word
    set -- ${line##*) }
    shift $((n - 3))
    echo "$1"
}

# Processor ticks (user + system, fields 14 and 15) of the processes named
# by their ids; a process that has ended counts nothing.
ticks_of() {
    local pid total=0 user system
    for pid in "$@"; do
        if user=$(stat_field "$pid" 14) && system=$(stat_field "$pid" 15); then
            total=$((total + user + system))
        fi
    done
    echo "$total"
}

# The wine server and every Wine process of the benchmark's prefix.
prefix_processes() {
    local environ
    for environ in /proc/[0-9]*/environ; do
        grep -qxzF "WINEPREFIX=$WINE_RUN_PREFIX" "$environ" 2>/dev/null || continue
        environ=${environ%/environ}
        echo "${environ#/proc/}"
    done
}
server_process() {
    local pid
    for pid in $(prefix_processes); do
        case "$(cat "/proc/$pid/comm" 2>/dev/null)" in wineserver*) echo "$pid"; return ;; esac
    done
}

# The Wine process of a program started through wine-run: the child of the
# runner's `timeout` (the runner's other children, wineboot and the wine
# server, come and go before it).
program_process() {
    local runner=$1 child program
    for _ in $(seq 1 400); do
        for child in $(pgrep -P "$runner" || true); do
            [ "$(cat "/proc/$child/comm" 2>/dev/null)" = timeout ] || continue
            program=$(pgrep -P "$child" | head -n 1 || true)
            [ -n "$program" ] && { echo "$program"; return 0; }
        done
        sleep 0.05
    done
    return 1
}

# Milliseconds since the machine started, of a Unix moment in milliseconds.
boot_ms_of() {
    local unix_ms=$1 now_ms uptime
    now_ms=$(date +%s%3N)
    uptime=$(cut -d' ' -f1 /proc/uptime)
    echo $((unix_ms - now_ms + ${uptime%.*}${uptime#*.}0))
}

# Runs one case and prints its row: name, reminders, milliseconds from the
# program's process start to its window being visible, seconds per minute of
# the program, the wine server and the prefix's other Wine processes, and the
# program's resident memory in MiB.
measure() {
    local name=$1 reminders=$2 title=$3 folder=$4 program=$5
    local wait_log="$bench/window_wait.log" waiter runner pid visible_ms started_ms server others rss
    local p0 s0 o0 p1 s1 o1
    rm -f "$wait_log"
    "$run" "$PWD/$build/bin/window_wait.exe" "$title" 60000 "${pointer_argument[@]}" >"$wait_log" &
    waiter=$!
    until grep -q waiting "$wait_log" 2>/dev/null; do sleep 0.05; done
    (cd "$folder" && WINE_RUN_TIMEOUT=0 exec "$run" "$program") >"$bench/$name-$reminders.log" 2>&1 &
    runner=$!
    pid=$(program_process "$runner") || { echo "idle-cost: $program did not start" >&2; return 1; }
    wait "$waiter" || { echo "idle-cost: no visible window $title" >&2; return 1; }
    # The Windows console ends its lines with CR LF.
    visible_ms=$(boot_ms_of "$(tr -d '\r' <"$wait_log" | awk '/^visible/ {print $2}')")
    started_ms=$(($(stat_field "$pid" 22) * 1000 / ticks_per_second))
    sleep "$settle"
    server=$(server_process)
    others=$(prefix_processes | grep -vxF -e "$pid" -e "$server" | tr '\n' ' ')
    # shellcheck disable=SC2086 # one process id per word
    p0=$(ticks_of "$pid") s0=$(ticks_of "$server") o0=$(ticks_of $others)
    sleep "$span"
    # shellcheck disable=SC2086 # one process id per word
    p1=$(ticks_of "$pid") s1=$(ticks_of "$server") o1=$(ticks_of $others)
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    awk -v n="$name" -v r="$reminders" -v up=$((visible_ms - started_ms)) -v hz="$ticks_per_second" \
        -v span="$span" -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v o=$((o1 - o0)) -v rss="$rss" \
        'BEGIN { f = 60 / span / hz; printf "%s %s %d %.3f %.3f %.3f %.1f\n", n, r, up, p * f, s * f, o * f, rss / 1024 }'
    stop_program "$folder" "$program" "$pid" "$runner"
}

# The suite is asked to quit as its user would (it saves on the way out); the
# bare window is ended. Either is ended if it is still there 20 s later.
stop_program() {
    local folder=$1 program=$2 pid=$3 runner=$4
    if [ "$(basename "$program")" = tessary.exe ]; then
        (cd "$folder" && "$run" "$program" exit) >/dev/null 2>&1 || true
    else
        kill "$pid" 2>/dev/null || true
    fi
    for _ in $(seq 1 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$runner" 2>/dev/null || true
}

# A fresh program folder with `count` reminders; every host points at a
# closed local port, so nothing leaves the machine and every request fails at
# once, as it would offline.
prepare_folder() {
    local folder=$1 count=$2
    rm -rf "$folder"
    cmake --install "$build" --prefix "$folder" >/dev/null
    printf '[hosts]\r\nsite=127.0.0.1:1\r\nweather=127.0.0.1:1\r\ntimeserver=127.0.0.1:1\r\n' \
        >"$folder/Data/network.ini"
    if [ "$count" -gt 0 ]; then
        (cd "$folder/modules/Calendar" && "$run" "$writer" Calendar.dat "$count")
    fi
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
rows=$(measure bare_window.exe - bare_window "$PWD/$build/bin" "$PWD/$build/bin/bare_window.exe")
for count in $reminder_counts; do
    prepare_folder "$bench/program" "$count"
    rows+=$'\n'$(measure tessary.exe "$count" ZELLUM-CalendarWindow "$bench/program" "$bench/program/tessary.exe")
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo
echo "Idle cost, $tree tree ($build), $(date -u '+%Y-%m-%d %H:%M UTC'); settled ${settle} s, measured ${span} s," \
    "pointer $pointer"
echo "Machine: $(nproc) cores, $(awk '/^model name/ {sub(/.*: /, ""); print; exit}' /proc/cpuinfo);" \
    "load average $load_before before, $load_after after"
echo "Processor time in seconds per minute (user + system); ratio = (program + wine server) / the same of bare_window.exe"
echo
printf '%-16s %9s %10s %9s %11s %11s %7s %9s\n' program reminders "visible ms" process wineserver "other wine" ratio \
    "VmRSS MiB"
awk '
    NR == 1 { base = $4 + $5 }
    {
        ratio = base > 0 ? sprintf("%.1f", ($4 + $5) / base) : "-"
        printf "%-16s %9s %10d %9.3f %11.3f %11.3f %7s %9.1f\n", $1, $2, $3, $4, $5, $6, ratio, $7
    }
' <<<"$rows"
