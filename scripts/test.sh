#!/usr/bin/env bash
# Builds the product once with POSIX alone visible, cross-builds and checks the macOS bundles,
# checks the sources with clang-tidy, then
# builds and runs the whole test suite three times: the ThreadSanitizer build, the developer
# build, then the AddressSanitizer + UndefinedBehaviorSanitizer build; then twainlog report's
# pages in a real browser (headless chromium); then the developer build
# in the Linux TWAIN layout with the real-stack tests; then the 64-bit Windows build (mingw-w64)
# with its tests under Wine; last the fuzz target (Clang): its seeds and past findings, and a
# bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Portability, build only: the module, the sample driver, twainlog and the demo host with POSIX
# alone visible (_GNU_SOURCE undefined) and against the platform headers that mirror the macOS
# SDK, so that a GNU-only call or a type unlike Apple's fails here as it would on a Mac.
if ! { cmake --preset posix && cmake --build --preset posix; }; then
    echo "Portability build failed: code that macOS also builds uses a GNU extension or a" \
         "platform type unlike the macOS SDK's (see the first error above; preset 'posix')" >&2
    exit 1
fi
# macOS, cross-built (about 30 seconds): the module, the sample driver and the bridge as Mach-O
# bundles through CMake's Apple code path, x86_64 and then universal (x86_64 and arm64), linked
# by ld64.lld against the stubs of cmake/darwin-sdk; their checks (layout, Info.plist,
# MH_BUNDLE, architectures, deployment target, arm64 signature, exports, imports, install).
for preset in macos-cross macos-cross-universal; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
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
# twainlog report's pages in a real browser (headless chromium), on the developer build.
scripts/browser-test.sh build/dev
# Builds and tests a preset with real-stack tests, which need the Working Group's sources
# (TWAINMON_TWAIN_WG_DIR in the environment overrides where they are): refused when its COUNT
# tests matching PATTERN are not configured.
real_stack_preset() {
    local preset=$1 pattern=$2 count=$3
    cmake --preset "$preset" ${TWAINMON_TWAIN_WG_DIR:+-DTWAINMON_TWAIN_WG_DIR=$TWAINMON_TWAIN_WG_DIR}
    cmake --build --preset "$preset"
    ctest --preset "$preset" -N -R "$pattern" | grep -q "Total Tests: $count" ||
        { echo "test.sh: the real-stack tests of preset $preset are not configured (see" \
               "build/$preset/CMakeCache.txt: TWAINMON_TWAIN_WG_DIR, libfreeimage-dev)" >&2; exit 1; }
    ctest --preset "$preset"
}
# The Linux TWAIN layout: its developer build and tests, among them the real-stack tests
# (the Working Group's DSM, console application and sample source, built in about a minute).
real_stack_preset linux '^RealStack\.' 3
# 64-bit Windows, cross-built with mingw-w64, its tests under Wine: the analyzer, the platform's
# strings and handles, the sample driver, twainlog's reader, the log file's rules on real files,
# the demo session's log, and the Working Group's Windows DSM, console application and sample
# source (built in about a minute) with the monitor and the bridge.
real_stack_preset windows '^Windows\.RealStack\.' 2
cmake --preset fuzz && cmake --build --preset fuzz && ctest --preset fuzz
