#!/usr/bin/env bash
# Checks the sources with clang-tidy, then builds and runs the whole test suite three times:
# the ThreadSanitizer build, the developer build, then the AddressSanitizer +
# UndefinedBehaviorSanitizer build; then the developer build in the Linux TWAIN layout with
# the real-stack tests; last the fuzz target (Clang): its seeds and past findings, and a
# bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Static checks, on the compile commands of the developer build.
cmake --preset dev
scripts/tidy.sh
# ThreadSanitizer: among the rest, the cases that call the data source from several threads.
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan
for preset in dev asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
# The Linux TWAIN layout: its developer build and tests, among them the real-stack tests
# (the Working Group's DSM, console application and sample source, built in about a minute).
# TWAINMON_TWAIN_WG_DIR (environment) overrides where the stack's sources are.
cmake --preset linux ${TWAINMON_TWAIN_WG_DIR:+-DTWAINMON_TWAIN_WG_DIR=$TWAINMON_TWAIN_WG_DIR}
cmake --build --preset linux
ctest --preset linux -N -R '^RealStack\.' | grep -q 'Total Tests: 3' ||
    { echo "test.sh: the real-stack tests are not configured (see build/linux/CMakeCache.txt:" \
           "TWAINMON_TWAIN_WG_DIR, libfreeimage-dev)" >&2; exit 1; }
ctest --preset linux
cmake --preset fuzz && cmake --build --preset fuzz && ctest --preset fuzz
