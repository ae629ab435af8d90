#!/usr/bin/env bash
# Starts or stops tessary-site for the Windows end-to-end tests (a CTest
# fixture). The service runs on a free port of 127.0.0.1 with FOLDER's
# tessary-site.ini; FOLDER/port holds the port for the tests, FOLDER/site.log
# its request log, FOLDER/pid its process.
#
#   site_fixture.sh start PROGRAM FOLDER
#   site_fixture.sh stop PROGRAM FOLDER
set -u
action=$1 program=$2 folder=$3

stop() {
    [ -f "$folder/pid" ] || return 0
    local pid
    pid=$(cat "$folder/pid")
    rm -f "$folder/pid" "$folder/port"
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    return 0
}

case "$action" in
start)
    stop # one left behind by a run that was cut off
    rm -f "$folder/site.log" "$folder/port.out"
    # Its own session and no tie to CTest's pipes, so the test that starts it
    # ends while the service goes on.
    setsid "$program" --config "$folder/tessary-site.ini" --port 0 \
        </dev/null >"$folder/port.out" 2>"$folder/site.log" &
    echo $! >"$folder/pid"
    for _ in $(seq 100); do
        port=$(head -n 1 "$folder/port.out" 2>/dev/null)
        if [ -n "$port" ]; then
            echo "$port" >"$folder/port"
            echo "site_fixture: tessary-site listens on 127.0.0.1:$port"
            exit 0
        fi
        kill -0 "$(cat "$folder/pid")" 2>/dev/null || break
        sleep 0.1
    done
    echo "site_fixture: tessary-site did not start:" >&2
    cat "$folder/site.log" >&2
    stop
    exit 1
    ;;
stop)
    stop
    ;;
*)
    echo "usage: $0 start|stop PROGRAM FOLDER" >&2
    exit 2
    ;;
esac
