#!/usr/bin/env bash
# A fuzz target run with TMPDIR where nothing can be written: it must stop with
# status 2 and its message, and leave no reproducer behind.
set -u
target="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
TMPDIR="$work/missing" "$target" -runs=10 >out.log 2>&1
status=$?
if [ "$status" -ne 2 ]; then echo "exit status $status, wanted 2"; cat out.log; exit 1; fi
grep -q '^fuzz: cannot write a scratch folder' out.log || { echo "no message"; cat out.log; exit 1; }
if ls crash-* >/dev/null 2>&1; then echo "a reproducer was written"; exit 1; fi
exit 0
