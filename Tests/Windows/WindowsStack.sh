#!/usr/bin/env bash
# The Windows build under Wine, headless.
#   WindowsStack.sh golden|links|setup|session SOURCE_DIR BUILD_DIR WORK TWAIN_WG_DIR [LOG_DIR]
# golden:  the demo session (twain_demo_session.exe) writes its log into LOG_DIR (the build's
#          log directory, as a host path); that log, every non-null address masked as the
#          golden test masks it, is Tests/EndToEnd/golden/ScanSession.log byte for byte.
# links:   links planted by the host at a load's first two names, to a file and to nothing, are
#          never followed (LogFileTest.cpp, LogFile.DISABLED_HostLinksAtTheNamesAreNeverFollowed).
# setup:   builds the Working Group's Windows DSM, console application and sample source into
#          WORK/stack (once), and a monitor as the README has it for a vendor's source: the
#          bridge in the monitor's folder of C:\windows\twain_64, pointed at the sample source
#          moved to C:\TwainSources, logging into C:\TwainLog; installed into WORK/install.
# session: the application's session without the monitor (the control), then through it; the
#          two compared as on Linux (../RealStack/RealStack.sh compare), twainlog.exe checking.
set -euo pipefail
mode=$1 src=$2 build=$3 work=$4 wg=${5:-} logdir=${6:-}
# The TWAIN 2 option of the build under test (environment): the stack's monitor is built alike.
twain2=${TWAINMON_TWAIN2:-OFF}
fail() { echo "FAIL: $*" >&2; exit 1; }
wine_run() { TWAINMON_WINEPREFIX=$build/wine "$src/cmake/wine-run.sh" "$@"; }
mkdir -p "$work"

if [ "$mode" = golden ]; then
    rm -rf "$logdir"
    wine_run "$build/twain_demo_session.exe" >"$work/demo.out" 2>"$work/demo.err" ||
        { cat "$work/demo.err"; fail "the demo session"; }
    logs=("$logdir"/Twainlog_*.txt)
    [ ${#logs[@]} = 1 ] && [ -f "${logs[0]}" ] || fail "not one log file: ${logs[*]}"
    mask() { LC_ALL=C sed -E 's/<0x0{8}>/<0xNULL>/g; s/<0x[0-9a-fA-F]{8}>/<0x########>/g; s/<0xNULL>/<0x00000000>/g' "$1"; }
    mask "${logs[0]}" >"$work/ScanSession.actual.log"
    if ! cmp "$work/ScanSession.actual.log" <(mask "$src/Tests/EndToEnd/golden/ScanSession.log"); then
        diff <(mask "$src/Tests/EndToEnd/golden/ScanSession.log") "$work/ScanSession.actual.log" | head -20
        fail "the log under Wine differs from the expected log ($work/ScanSession.actual.log)"
    fi
    echo "the demo session's log under Wine is the expected log ($(wc -c <"${logs[0]}") bytes)"
    exit 0
fi

if [ "$mode" = links ]; then
    dir=$work/links
    rm -rf "$dir" && mkdir -p "$dir" && printf keep >"$dir/victim.txt"
    ln -s "$dir/victim.txt" "$dir/Twainlog_20261206_210754_0123.txt"
    ln -s "$dir/nothing.txt" "$dir/Twainlog_20261206_210754_0123_01.txt"
    TWAINMON_LINKED_FOLDER="Z:$dir" wine_run "$build/Tests/Windows/windows_tests.exe" \
        --gtest_also_run_disabled_tests --gtest_filter='LogFile.DISABLED_*' || fail "the test"
    [ "$(cat "$dir/victim.txt")" = keep ] || fail "the linked file was written"
    [ ! -e "$dir/nothing.txt" ] || fail "a file was created through the link"
    exit 0
fi

stack=$work/stack
if [ "$mode" = setup ]; then
    if [ ! -f "$stack/app/twain_app.exe" ] || [ ! -f "$stack/ds/sample/sample.ds" ]; then
        bash "$wg/windows/build.sh" "$stack" >"$work/stack-build.log" 2>&1 ||
            { tail -20 "$work/stack-build.log"; fail "building the Windows stack"; }
    fi
    cmake -S "$src" -B "$work/monitor-build" -G Ninja \
        --toolchain "$src/cmake/toolchain-mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DTWAINMON_BUILD_TESTS=OFF -DTWAINMON_INSTALL_SAMPLE_DRIVER=OFF \
        '-DTWAINMON_DRIVER_BUNDLE_PATH=C:\windows\twain_64\TwainMonitor\DsBridge.dll' \
        '-DTWAINMON_LOG_DIRECTORY=C:\TwainLog' \
        '-DTWAINMON_BRIDGE_DATA_SOURCE=C:\TwainSources\sample\sample.ds' \
        -DTWAINMON_TWAIN2="$twain2" >/dev/null
    cmake --build "$work/monitor-build" --target TwainMonitor DsBridge >/dev/null
    rm -rf "$work/install"
    cmake --install "$work/monitor-build" --prefix "$work/install" >/dev/null
    folder=$work/install/twain_64/TwainMonitor
    for file in TwainMonitor.ds DsBridge.dll DataSource.txt; do
        [ -f "$folder/$file" ] || fail "the install lacks twain_64/TwainMonitor/$file"
    done
    exit 0
fi

# session
export WINEPREFIX=$work/prefix
scan() { # scan NAME FOLDER: a session of the application in WORK/NAME, FOLDER in twain_64
    # (Run from a folder of /tmp: run from some folders of the build tree, the application under
    # Wine saved its images in the drive's root folder instead of its own.)
    local run start=$(date +%s%N)
    run=$(mktemp -d /tmp/twainmon-scan.XXXXXX)
    bash "$wg/windows/scan.sh" "$stack" "$run" "$2" || fail "twain_app.exe in $run"
    local ms=$((($(date +%s%N) - start) / 1000000))
    mkdir -p "$work/$1" && mv "$run"/* "$work/$1/" && rmdir "$run"
    mv "$work/$1/app.out" "$work/$1/out.txt"
    echo "$1: $ms ms under Wine for $(ls "$work/$1"/FROM_SCANNER_*.bmp | wc -l) images"
}
rm -rf "$work/control" "$work/monitor" "$work/log"
scan control "$stack/ds/sample"
drive=$WINEPREFIX/drive_c
rm -rf "$drive/TwainSources" "$drive/TwainLog" && mkdir -p "$drive/TwainSources" "$drive/TwainLog"
cp -r "$stack/ds/sample" "$drive/TwainSources/"
scan monitor "$work/install/twain_64/TwainMonitor"
cp -r "$drive/TwainLog" "$work/log"
# twainlog.exe under Wine, host paths given as paths of drive Z: (a leading '/' would be taken
# for an option on Windows), its text lines ended as on Linux.
cat >"$work/twainlog" <<END
#!/usr/bin/env bash
set -o pipefail
TWAINMON_WINEPREFIX=$build/wine "$src/cmake/wine-run.sh" "$build/twainlog.exe" "\${@/#\//Z:/}" | tr -d '\r'
END
chmod +x "$work/twainlog"
bash "$src/Tests/RealStack/RealStack.sh" compare "$src" "$wg" "$work" "$work/twainlog" "" "" "$twain2"
