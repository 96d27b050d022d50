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

# The tests send nothing off this computer. As root they run in a network
# of their own (a network namespace): the loopback device and nothing
# else, so that not even a name lookup can leave, with one more address on
# it that stands for this computer's address on its network; the tests
# learn it from LETTRISKO_TEST_OWN_ADDRESS. Where that cannot be had, they
# run with the computer's network, as they would from ctest by hand.
own_address=198.51.100.7
in_own_network='ip link set lo up && ip address add "$0/32" dev lo'
if [ "$(id -u)" -eq 0 ] && command -v unshare >/dev/null && command -v ip >/dev/null \
    && unshare --net sh -c "$in_own_network" "$own_address" 2>/dev/null; then
    run_ctest() {
        echo "The tests run in a network of their own: loopback only, this computer's address $own_address."
        LETTRISKO_TEST_OWN_ADDRESS="$own_address" unshare --net sh -c "$in_own_network"' && exec "$@"' \
            "$own_address" ctest "$@"
    }
else
    run_ctest() {
        echo "The tests run with this computer's network: a network of their own needs root, unshare and ip."
        ctest "$@"
    }
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && run_ctest --output-on-failure -j"$jobs")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLETTRISKO_SANITIZE=ON -DLETTRISKO_BENCHMARKS=OFF
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    && run_ctest --output-on-failure -j"$jobs")

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
