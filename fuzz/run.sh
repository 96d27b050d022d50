#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every fuzzer for a fixed time each, starting from its seed corpus in
# fuzz/corpus/<fuzzer>/; what it finds new goes to a scratch folder, so the
# corpus in the repository changes only by hand.
#
#   sh fuzz/run.sh [build folder] [seconds per fuzzer] [fuzzer ...]
#
# Fails at the first finding and leaves the input that caused it in the
# current folder (crash-*, timeout-*, oom-*, leak-*).
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build-fuzz}" && pwd)"
seconds="${2:-20}"
[ $# -ge 2 ] && shift 2 || shift $#

# The sanitizer keeps freed memory aside for a while; a small quarantine
# keeps that inside the fuzzer's memory limit. It also keeps the stack of
# every allocation, once per distinct stack: unwound through the Qt
# libraries, which are built without frame pointers, deeper stacks come out
# different nearly every time and fill the memory limit within minutes, so
# only two frames are kept. Run a finding's input on its own for the whole
# stacks.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=2:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# The longest input worth trying, by fuzzer.
max_len() {
    case "$1" in
    fuzz_unzip) echo 65536 ;;
    fuzz_netphase) echo 70000 ;;
    *) echo 8192 ;;
    esac
}

if [ $# -eq 0 ]; then
    set -- $(find "$build/fuzz" -maxdepth 1 -type f -perm -u+x -name 'fuzz_*' -printf '%f\n' | sort)
fi
[ $# -gt 0 ] || { echo "no fuzzers in $build/fuzz: build the target 'fuzzers' first" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT INT TERM
for fuzzer in "$@"; do
    mkdir -p "$scratch/$fuzzer"
    dict=""
    [ -f "$here/$fuzzer.dict" ] && dict="-dict=$here/$fuzzer.dict"
    echo "== $fuzzer, $seconds s"
    status=0
    # shellcheck disable=SC2086
    "$build/fuzz/$fuzzer" -max_total_time="$seconds" -max_len="$(max_len "$fuzzer")" -rss_limit_mb=256 \
        -timeout=2 -print_final_stats=1 $dict "$scratch/$fuzzer" "$here/corpus/$fuzzer" \
        >"$scratch/$fuzzer.log" 2>&1 || status=$?
    grep -E 'DONE|stat::average_exec_per_sec|==[0-9]+==ERROR|SUMMARY|Test unit written' "$scratch/$fuzzer.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$scratch/$fuzzer.log" >&2
        echo "$fuzzer failed (exit $status); the input that caused it is in $(pwd)" >&2
        exit 1
    fi
done
