#!/usr/bin/env bash
# Finds out whether this machine runs 32-bit programs by running one: Wine's
# 32-bit loader (a 32-bit ELF). Some kernels run none at all ("Exec format
# error"), and then the 32-bit Windows tree cannot run there. Prints one line
# saying what it found; exits 0 when 32-bit programs run, 1 when they do not.
#
# SUITE_HIDE_32BIT=1 makes the probe answer "no" on any machine, so the set-up
# of a machine without 32-bit support can be tried anywhere.
set -u

loader=/usr/lib/wine/wine
if [ -n "${SUITE_HIDE_32BIT:-}" ]; then
    echo "32-bit programs: not used here (SUITE_HIDE_32BIT is set)"
    exit 1
fi
if [ ! -e "$loader" ]; then
    echo "32-bit programs: cannot run here ($loader is not installed)"
    exit 1
fi
output=$("$loader" --version 2>&1)
status=$?
if [ "$status" -eq 0 ]; then
    echo "32-bit programs: run here ($loader says ${output%%$'\n'*})"
    exit 0
fi
# The shell's message ends in the reason ("...: Exec format error").
reason=${output##*: }
echo "32-bit programs: cannot run here ($loader: ${reason:-exit code $status})"
exit 1
