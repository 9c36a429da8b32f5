#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, headless: the emulator of the windows preset
# (CMAKE_CROSSCOMPILING_EMULATOR). The Wine prefix (WINEPREFIX, default: wine/ beside this
# build's CMakeCache.txt, given as TWAINMON_WINEPREFIX by the toolchain) is made on first use,
# once, whatever the number of programs started at the same time.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TWAINMON_WINEPREFIX:?}} WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/.twainmon-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.twainmon-ready" ]; then
            wineboot -i >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.twainmon-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
