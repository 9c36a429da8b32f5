#!/usr/bin/env bash
# Builds and runs the whole test suite twice: the developer build, then the
# AddressSanitizer + UndefinedBehaviorSanitizer build; then the fuzz target (Clang), its
# seeds and past findings, and a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in dev asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
cmake --preset fuzz && cmake --build --preset fuzz && ctest --preset fuzz
