#!/usr/bin/env bash
# The monitor under the TWAIN Working Group's DSM, console application and sample source.
#   RealStack.sh setup|session|guard SOURCE_DIR TWAIN_WG_DIR WORK TWAINLOG GUARD_HOST CXX TWAIN2
# setup:   builds the stack into WORK/stack (its DSM searches WORK/prefix/lib/twain) and a
#          monitor as the README has it: linux layout, driver = the installed bridge, the
#          bridge pointed at the sample source, logging into WORK/log.
# session: the application's session without the monitor (the control), then through it;
#          compares what the application printed, the first image, the DSM's own log of the
#          triplets it passed to the source with the monitor's trace, and checks the trace.
# guard:   GUARD_HOST plays the DSM with guard bytes after every structure.
# compare: the session's comparison alone, of runs made elsewhere (the Windows stack under
#          Wine): WORK/control and WORK/monitor hold each run's out.txt, dsm.log and images,
#          WORK/log the monitor's log files. TWAINLOG may be a command line.
set -euo pipefail
mode=$1 src=$2 wg=$3 work=$4 twainlog=$5 guard_host=${6:-} cxx=${7:-} twain2=${8:-OFF}
stack=$work/stack prefix=$work/prefix logs=$work/log
dsdir=$prefix/lib/twain sample=$stack/ds/sample/sample.ds
fail() { echo "FAIL: $*" >&2; exit 1; }

# The one fault twainlog check may report that comes from the stack, not from the monitor: the
# application never asks DAT_STATUS after DAT_EXTIMAGEINFO fails. (The source announces its
# transfers to the DSM: check follows its [DS] MSG_XFERREADY where the TWAIN 2 build logged
# it, and infers it from the entry point the DSM handed the source otherwise.)
check_logs() {
    local faults=0 file
    for file in "$logs"/Twainlog_*.txt; do
        $twainlog check "$file" >"$work/check.txt" || [ $? -eq 1 ] || fail "twainlog check $file"
        if grep -v \
                -e 'DAT_EXTIMAGEINFO/MSG_GET (line [0-9]*): TWRC_FAILURE not followed by DAT_STATUS' \
                -e '^no protocol faults$' -e '^[0-9]* protocol faults\?$' "$work/check.txt"; then
            fail "twainlog check $file found the faults above"
        fi
        faults=$((faults + $(grep -c '^\[' "$work/check.txt" || true)))
    done
    echo "twainlog check: no fault of the monitor ($faults of the stack's own)"
}

if [ "$mode" = setup ]; then
    if [ ! -x "$stack/bin/twain_app" ] || [ "$(cat "$stack/dsdir" 2>/dev/null)" != "$dsdir" ]; then
        JOBS=2 bash "$wg/build.sh" "$stack" "$dsdir" >"$work/stack-build.log" 2>&1 ||
            { cat "$work/stack-build.log"; fail "building the stack"; }
        echo "$dsdir" >"$stack/dsdir"
    fi
    cmake -S "$src" -B "$work/monitor-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_COMPILER="$cxx" -DTWAINMON_TWAIN_ABI=linux -DTWAINMON_TWAIN2="$twain2" \
        -DTWAINMON_BUILD_TESTS=OFF \
        -DTWAINMON_INSTALL_SAMPLE_DRIVER=OFF -DTWAINMON_DRIVER_BUNDLE_PATH="$dsdir/DsBridge.bundle" \
        -DTWAINMON_LOG_DIRECTORY="$logs" -DTWAINMON_BRIDGE_DATA_SOURCE="$sample" >/dev/null
    cmake --build "$work/monitor-build" --target TwainMonitor DsBridge >/dev/null
    exit 0
fi

# Installs the monitor into the DSM's folder (or only the sample source for the control).
install_into_dsdir() {
    rm -rf "$prefix" "$logs" && mkdir -p "$dsdir" "$logs"
    if [ "$1" = control ]; then
        cp -r "$stack/ds/sample" "$dsdir/"
    else
        cmake --install "$work/monitor-build" --prefix "$prefix" >/dev/null
        [ "$(head -n 1 "$dsdir/DsBridge.bundle/Contents/Resources/DataSource.txt")" = "$sample" ] ||
            fail "the installed bridge does not name $sample"
    fi
}

if [ "$mode" = guard ]; then
    install_into_dsdir monitor
    "$guard_host" "$dsdir/TwainMonitor.ds" || fail "guard bytes"
    check_logs
    # Retargeted at a source that cannot be loaded: every call fails and is logged.
    echo /nonexistent/source.ds >"$dsdir/DsBridge.bundle/Contents/Resources/DataSource.txt"
    rm -f "$logs"/Twainlog_*.txt
    "$guard_host" "$dsdir/TwainMonitor.ds" missing || fail "a source that cannot be loaded"
    [ "$(cat "$logs"/Twainlog_*.txt | grep -c 'Return Code = \[TWRC_FAILURE\]')" = 2 ] ||
        fail "the failed calls are not in the log"
    exit 0
fi

# The monitor's session against the control's: what the application printed and its first
# image, every triplet of the DSM's log in the trace with its return code, the capability
# containers shown, and twainlog check.
compare() {
    # What the application printed, its scan progress aside (the page count is random).
    diff <(grep -v '^app: ' "$work/control/out.txt") <(grep -v '^app: ' "$work/monitor/out.txt") ||
        fail "the application printed something else through the monitor"
    grep -q '^1: TWAIN2 Software Scanner' "$work/monitor/out.txt" || fail "the source is not listed"
    cmp "$work/control/FROM_SCANNER_000001N.bmp" "$work/monitor/FROM_SCANNER_000001N.bmp" ||
        fail "the first image differs"
    echo "the application's output and first image are the control's"
    find "$work/control" "$work/monitor" -name 'FROM_SCANNER_*.bmp' ! -name '*_000001N.bmp' -delete

    # The triplets the DSM passed (its own log), as "APP|DS DG/DAT/MSG[/CAP] TWRC_x", in the
    # order the calls began: the calls of the application (the first caller) addressed to the
    # source, with MSG_OPENDS and MSG_CLOSEDS that the DSM logs as addressed to itself, but not
    # DAT_CALLBACK, which the DSM answers itself; and, in the TWAIN 2 build, the source's calls
    # to the application. A call made during another nests one level deeper than it. (The
    # Windows DSM ends its lines in two carriage returns.)
    awk -v twain2="$twain2" '
         { sub(/\r+$/, ""); sub(/^\[[^]]*\] /, ""); match($0, /^ */); d = RLENGTH; s = substr($0, d + 1) }
         s ~ / -> / { k = index(s, " -> "); from[d] = substr(s, 1, k - 1); to[d] = substr(s, k + 4)
                      if (app == "") app = from[d]; open[d] = 1; t[d] = ""; at[d] = ++calls; next }
         s ~ /^DG_/ && open[d] && t[d] == "" { t[d] = s; next }
         s ~ /^TWRC_/ && open[d] && t[d] != "" {
             split(s, w, " "); open[d] = 0
             if (from[d] == app && t[d] !~ /DAT_CALLBACK/ &&
                 (to[d] != "DSM" || t[d] ~ /DAT_IDENTITY\/MSG_(OPENDS|CLOSEDS)$/)) out[at[d]] = "APP " t[d] " " w[1]
             if (twain2 == "ON" && to[d] == app && from[d] != "DSM") out[at[d]] = "DS " t[d] " " w[1] }
         END { for (i = 1; i <= calls; ++i) if (i in out) print out[i] }' \
        "$work/monitor/dsm.log" >"$work/dsm.triplets"
    # The monitor's trace of its loads, in the order of the files' load times.
    awk '{ sub(/\r$/, "") }
         /^\[[0-9]+\] \[/ { l = $2; gsub(/[][]/, "", l); t = l " " $3
                            if ($4 != "") { c = $4; gsub(/[()]/, "", c); t = t "/" c }; next }
         /^        Return Code = \[/ && t != "" { r = $0; sub(/.*\[/, "", r); sub(/\].*/, "", r)
                                                  print t, r; t = "" }' \
        $(ls "$logs"/Twainlog_*.txt | sort) >"$work/monitor.triplets"
    # Every DSM triplet in the trace, in order, with its return code; the trace has nothing else
    # but the identity requests and the entry point, which the DSM does not log.
    awk 'NR == FNR { want[++n] = $0; next }
         { if (i < n && $0 == want[i + 1]) { ++i; next }
           if ($2 ~ /^DG_CONTROL\/(DAT_IDENTITY\/MSG_GET|DAT_ENTRYPOINT\/MSG_SET|ERROR!\(1027\)\/MSG_SET)$/) { ++x; next }
           printf "monitor line %d: \"%s\", the DSM passed \"%s\" next\n", FNR, $0, want[i + 1]; bad = 1; exit }
         END { if (!bad && i < n) printf "the trace lacks \"%s\"\n", want[i + 1]
               if (bad || i < n || n == 0) exit 1
               printf "triplets: %d of the DSM log in the trace in order with their return codes (+%d identity/entry point)\n", n, x }' \
        "$work/dsm.triplets" "$work/monitor.triplets" || fail "the trace disagrees with the DSM's log"
    if [ "$twain2" = ON ]; then
        grep -q '^DS ' "$work/dsm.triplets" || fail "the DSM's log shows no call of the source"
        ! grep -n 'ERROR!' "$logs"/Twainlog_*.txt || fail "a name is missing in the trace"
        # Each transfer: in state 6 before it (the source announced it), 7 after it.
        awk '{ sub(/\r$/, "") }
             /^\[[0-9]+\] \[/ { t = $3; next }
             /^TWAIN Status = \[/ { s = substr($0, 17, 1)
                 if (t ~ /^DG_IMAGE\/DAT_IMAGE(NATIVE|MEM|FILE)XFER\/MSG_GET$/) {
                     ++n; if (last != 6 || s != 7) { printf "transfer %d: state %s, then %s\n", n, last, s; bad = 1 } }
                 last = s }
             END { if (bad || n == 0) exit 1; printf "transfers: %d, each in state 6 and then 7\n", n }' \
            $(ls "$logs"/Twainlog_*.txt | sort) || fail "the states around the transfers"
    fi
    echo "log files: $(ls "$logs"/Twainlog_*.txt | wc -l)"
    check_logs
    grep -q '^    TW_ENUMERATION = {' "$logs"/Twainlog_*.txt && grep -q '^    TW_ONEVALUE = {' "$logs"/Twainlog_*.txt ||
        fail "the trace shows no capability container"
}
if [ "$mode" = compare ]; then
    compare
    exit 0
fi

session='cdsm\nlds\npds1\ncds1\ncaps\n2\nq\nq\nscan\nxds\nxdsm\nq\n'
run_app() { # run_app NAME: the session in WORK/NAME; prints its milliseconds
    local dir=$work/$1 start end
    rm -rf "$dir" && mkdir -p "$dir"
    start=$(date +%s%N)
    (cd "$dir" && printf "$session" | TWAINDSM_LOG="$dir/dsm.log" TWAINDSM_LOGMODE=w \
        timeout 120 "$stack/bin/twain_app" >out.txt 2>err.txt) || fail "twain_app in $dir"
    end=$(date +%s%N)
    local images=$(ls "$dir"/FROM_SCANNER_*.bmp | wc -l) ms=$(((end - start) / 1000000))
    echo "$1: $ms ms for $images images (the source scans a random number), $((ms / images)) ms each"
}
install_into_dsdir control
run_app control
install_into_dsdir monitor
run_app monitor
cp "$logs"/Twainlog_*.txt "$work/monitor/"

compare
