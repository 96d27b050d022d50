#!/bin/sh
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds everything and runs every test: once in a
# normal build and once under AddressSanitizer and UndefinedBehaviorSanitizer;
# then checks the licence information of every file, installs the normal
# build as a user would (scripts/check-install.sh) and runs each fuzzer for
# 20 seconds.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLETTRISKO_SANITIZE=ON -DLETTRISKO_BENCHMARKS=OFF
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")

# Every file says under which licence it stands (the REUSE rules).
reuse lint

# Installs the game the ways a user does, starts it and removes it; the
# package is built in a tree of its own, without the online update.
sh scripts/check-install.sh build-package

# Every reader of outside bytes under libFuzzer for a short while, in a
# clang build of its own (see fuzz/run.sh for longer runs).
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLETTRISKO_FUZZ=ON \
    -DLETTRISKO_BENCHMARKS=OFF -DBUILD_TESTING=OFF
cmake --build build-fuzz --target fuzzers -j"$jobs"
mkdir -p build-fuzz/findings
(cd build-fuzz/findings && sh ../../fuzz/run.sh .. 20)
