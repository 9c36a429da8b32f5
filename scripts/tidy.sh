#!/usr/bin/env bash
# Runs clang-tidy (version 14, with the checked-in .clang-tidy) over the sources of the data
# source, the analyzer, the platform layer, the sample driver and the tools, with the compile
# commands of the developer build. The tests and benchmarks are not checked.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/dev/compile_commands.json ] || cmake --preset dev
# The developer build is GCC's; clang does not know GCC's -fno-gnu-unique.
mkdir -p build/tidy
sed 's/ -fno-gnu-unique//g' build/dev/compile_commands.json >build/tidy/compile_commands.json
run-clang-tidy-14 -quiet -j "$(nproc)" -p build/tidy \
    "^$PWD/(Common|Mac|Platform/src|SampleDriver|Tools)/.*\.cpp$"
