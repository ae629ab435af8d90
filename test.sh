#!/usr/bin/env bash
# Builds every tree and runs every test tier:
#   native    unit tests of the logic (Linux g++), benchmark smoke runs, tool tests
#   sanitize  the same unit tests under AddressSanitizer and UBSan
#   windows   the Windows test programs (mingw-w64 i686) under 32-bit Wine,
#             where this machine runs 32-bit programs (always built)
#   windows64 the same programs built for x86_64, under 64-bit Wine
#   fuzz      a few seconds of each libFuzzer target
# The last line sums all tiers: "N passed, N failed". Exits non-zero on any failure.
# SUITE_HIDE_32BIT=1 runs as on a machine without 32-bit support.
set -u
cd "$(dirname "$0")"

scripts/install-deps.sh all || exit 1

passed=0
failed=0

# Configures a tree the first time, or again when a configure run was cut
# off before it wrote the build files; later the build itself reruns CMake
# when a CMakeLists changes, so an unchanged tree builds in seconds.
build_tree() {
    local tree=$1
    if [ ! -f "build/$tree/build.ninja" ]; then
        cmake --preset "$tree" >"build-$tree-configure.log" 2>&1 || {
            cat "build-$tree-configure.log"
            rm -f "build-$tree-configure.log"
            return 1
        }
        rm -f "build-$tree-configure.log"
    fi
    cmake --build --preset "$tree"
}

# Reads one attribute of the <testsuites> element of a GoogleTest report.
report_attribute() {
    sed -n "s/.*<testsuites[^>]* $2=\"\([0-9]*\)\".*/\1/p" "$1" | head -n 1
}

# Runs a tree's CTest tests and adds them to the totals. A GoogleTest program
# counts each of its test cases; any other test counts once. A program that
# fails without reporting a failed case (a crash) counts as one failure.
run_tier() {
    local dir=build/$1
    rm -rf "$dir/results" "$dir/Testing/Temporary/LastTestsFailed.log"
    ctest --test-dir "$dir" -j2 --output-on-failure --timeout 600
    local failed_log=$dir/Testing/Temporary/LastTestsFailed.log
    local name report tests failures disabled skipped broke
    while IFS= read -r name; do
        broke=0
        [ -f "$failed_log" ] && grep -q "^[0-9]*:$name\$" "$failed_log" && broke=1
        report=$dir/results/$name.xml
        if [ -f "$report" ]; then
            tests=$(report_attribute "$report" tests)
            failures=$(($(report_attribute "$report" failures) + $(report_attribute "$report" errors)))
            disabled=$(report_attribute "$report" disabled)
            skipped=$(grep -c 'result="skipped"' "$report")
            [ "$broke" = 1 ] && [ "$failures" = 0 ] && failures=1
            passed=$((passed + tests - disabled - skipped - (failures > tests ? tests : failures)))
            failed=$((failed + failures))
        elif [ "$broke" = 1 ]; then
            failed=$((failed + 1))
        else
            passed=$((passed + 1))
        fi
    done < <(ctest --test-dir "$dir" -N | sed -n 's/^ *Test *#[0-9]*: //p')
}

# The 32-bit tree is the product and is built everywhere; its tests need a
# kernel that runs 32-bit programs, which some machines lack.
runs_32bit=0
probe_result=$(scripts/probe-32bit.sh) && runs_32bit=1
echo "$probe_result"

trees=(native sanitize windows windows64 fuzz)
for tree in "${trees[@]}"; do
    echo "=== $tree: build"
    if ! build_tree "$tree"; then
        echo "=== $tree: BUILD FAILED"
        failed=$((failed + 1))
        continue
    fi
    if [ "$tree" = windows ] && [ "$runs_32bit" = 0 ]; then
        echo "=== windows: tests skipped, not a failure. $probe_result;" \
            "the windows64 tier runs the same tests."
        continue
    fi
    echo "=== $tree: tests"
    run_tier "$tree"
    # A Windows tier leaves its wine server and display running for its
    # programs; they are not needed after it.
    [ -x "build/$tree/wine-run" ] && "build/$tree/wine-run" --stop
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
