#!/usr/bin/env bash
# Builds the developer configuration and runs a scan session against the built data source,
# printing the log it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset dev
cmake --build --preset dev
build/dev/twain_demo_session
