#!/usr/bin/env bash
# Installs, from Debian's packages, whatever this machine lacks to build and test the project.
set -euo pipefail
packages=(cmake ninja-build g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libboost-dev clang-format-14 clang clang-tidy-14 libclang-rt-14-dev libfuzzer-14-dev
          libcli11-dev nlohmann-json3-dev python3 libfreeimage-dev chromium
          lld-14 llvm-14 libc++-14-dev # these three for the macOS cross-build
          g++-mingw-w64-x86-64-posix wine wine64 googletest) # these four for the Windows build
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    # Another install that holds the package manager's lock is waited for, not failed on.
    lock=(-o DPkg::Lock::Timeout=600)
    $sudo apt-get "${lock[@]}" update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" install -y --no-install-recommends \
        "${missing[@]}"
fi
