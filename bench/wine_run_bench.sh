#!/usr/bin/env bash
# End-to-end figures of quillon.exe under Wine, sourced by scripts/bench:
#   - a quiet command-line run among N printers against the reference
#     program that only reads the key list and writes Device, run in turns
#     in the same prefix (median wall time of each and their ratio);
#   - the time until the main window is shown, against a program that shows
#     one empty window;
#   - the CPU time of a run that shows the success window, against its wall
#     time;
#   - the peak resident memory of such a run.
# With another build to hold against (BENCH_OTHER_EXE, scripts/bench
# --against), each round runs this build, the reference and the other in
# turns, so that both ratios see the same machine at the same moments; a
# summary of the ratios ends the output.
# Wall times include starting the Wine process, as a user's would. Wine's
# desktop process is kept running throughout, as it is in a user's session
# (bench_desktop_start).

# The quillon.exe measured; QUILLON_BENCH_EXE names another build.
bench_exe() {
    echo "${QUILLON_BENCH_EXE:-$QUILLON_ROOT/build/win/quillon.exe}"
}

# The other build of --against, and its name in the output.
BENCH_OTHER_EXE=
BENCH_OTHER_NAME=
BENCH_SUMMARY=()

# bench_build_against REV: REV's program, built from its own sources (git
# archive) in build/against/COMMIT with the same toolchain, tests left out.
bench_build_against() {
    local commit dir
    commit=$(git -C "$QUILLON_ROOT" rev-parse --verify "$1^{commit}")
    dir="$QUILLON_ROOT/build/against/${commit:0:12}"
    if [ ! -f "$dir/src/CMakeLists.txt" ]; then
        rm -rf "$dir/src"
        mkdir -p "$dir/src"
        git -C "$QUILLON_ROOT" archive "$commit" | tar -x -C "$dir/src"
    fi
    if [ ! -f "$dir/win/build.ninja" ]; then
        cmake -S "$dir/src" -B "$dir/win" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=OFF >/dev/null
    fi
    cmake --build "$dir/win" -j2 --target quillon
    BENCH_OTHER_EXE="$dir/win/quillon.exe"
    BENCH_OTHER_NAME=$(git -C "$QUILLON_ROOT" rev-parse --short "$commit")
}

bench_tool() {
    winepath -w "$QUILLON_ROOT/build/win/quillon_bench_$1.exe"
}

bench_prefix_setup() {
    export WINEPREFIX="$QUILLON_ROOT/build/bench-wine"
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Keep the server up between runs, as it is on a desktop.
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p || true
    if [ ! -f "$WINEPREFIX/.bench-ready" ]; then
        wine wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.bench-ready"
    fi
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    local key='HKCU\software\kvo\quillon' name
    for name in desktop startup startupall; do
        wine reg add "$key" /v "$name" /d 1 /f >/dev/null
    done
}

# Replaces [PrinterPorts] with N printers "Printer-00001" ... in one import;
# names without blanks reach both programs the same through wine's quoting.
bench_printers() {
    local count=$1 reg="$WINEPREFIX/printers.reg"
    local key='HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\PrinterPorts'
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    {
        printf 'REGEDIT4\r\n\r\n[%s]\r\n' "$key"
        seq -f '"Printer-%05g"="winspool,LPT1:,15,45"' 1 "$count" | sed 's/$/\r/'
    } >"$reg"
    wine regedit /S "$(winepath -w "$reg")"
}

# Seconds of wall time of one run of a Windows program.
bench_wall() {
    local start end
    start=$(date +%s.%N)
    wine "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

bench_median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

bench_median_ratio() {
    echo "$(printf '%s\n' $1 | bench_median) / $(printf '%s\n' $2 | bench_median)" | bc -l
}

# bench_report LABEL OTHER "quillon.exe's seconds" "the other program's seconds"
#     ["the other build's seconds"]
# The last, when given, is reported beside the first, and the line of the
# summary gets both ratios and theirs.
bench_report() {
    local label=$1 other=$2 median_program median_other
    median_program=$(printf '%s\n' $3 | bench_median)
    median_other=$(printf '%s\n' $4 | bench_median)
    printf '%s: quillon.exe %.3f s, %s %.3f s, ratio %.2f (median of %d runs each)\n' \
        "$label" "$median_program" "$other" "$median_other" \
        "$(bench_median_ratio "$3" "$4")" "$(wc -w <<<"$3")"
    local row
    row=$(printf '%-24s %6.2f' "$label" "$(bench_median_ratio "$3" "$4")")
    if [ -n "${5:-}" ]; then
        printf '%s: %s %.3f s, ratio %.2f\n' "$label" "$BENCH_OTHER_NAME" \
            "$(printf '%s\n' $5 | bench_median)" "$(bench_median_ratio "$5" "$4")"
        row+=$(printf ' %9.2f %10.2f' "$(bench_median_ratio "$5" "$4")" "$(bench_median_ratio "$3" "$5")")
    fi
    BENCH_SUMMARY+=("$row")
}

# The ratios of every figure on one screen, the load they were taken under.
bench_summary() {
    echo "== summary: median against the reference$(
        [ -z "$BENCH_OTHER_NAME" ] || echo ", $BENCH_OTHER_NAME's, and this tree's against $BENCH_OTHER_NAME's")"
    printf '%-24s %6s' "" "this"
    [ -z "$BENCH_OTHER_NAME" ] || printf ' %9s %10s' "$BENCH_OTHER_NAME" "this/other"
    echo
    printf '%s\n' "${BENCH_SUMMARY[@]}"
    echo "$(uptime | sed 's/.*load/load/')"
}

# The rest of a desktop session: a program that holds a hidden window from
# before the first run to after the last, so that Wine keeps its desktop
# process running, as it does while a user is logged on; otherwise each run
# that shows a window would pay for starting it again.
BENCH_DESKTOP_PID=
bench_desktop_start() {
    local ready="$WINEPREFIX/bench-desktop.ready" waited
    rm -f "$ready"
    wine "$(bench_tool empty_window)" /hidden "$(winepath -w "$ready")" >/dev/null 2>&1 &
    BENCH_DESKTOP_PID=$!
    for waited in $(seq 100); do
        [ -f "$ready" ] && return 0
        sleep 0.1
    done
    echo "The program that keeps the desktop did not start" >&2
    return 1
}

# Deleting its file ends it.
bench_desktop_stop() {
    [ -n "$BENCH_DESKTOP_PID" ] || return 0
    rm -f "$WINEPREFIX/bench-desktop.ready"
    wait "$BENCH_DESKTOP_PID" 2>/dev/null || true
    BENCH_DESKTOP_PID=
}

# Seconds until the program shows a window and waits for input, timed by
# the timer program from the start of the process; nothing when it showed
# none. The timer writes its lines the Windows way, with a carriage return.
bench_window_seconds() {
    { wine "$(bench_tool window_timer)" "$1" 2>/dev/null || true; } | tr -d '\r'
}

# bench_window_shown RUNS: seconds until quillon.exe (window mode, 4
# printers) shows its main window, against the same for the empty-window
# program, in turns. The timer closes each window again.
bench_window_shown() {
    local runs=$1 i program=() reference=() other=() exe empty other_exe=
    exe=$(winepath -w "$(bench_exe)")
    empty=$(bench_tool empty_window)
    [ -z "$BENCH_OTHER_EXE" ] || other_exe=$(winepath -w "$BENCH_OTHER_EXE")
    bench_printers 4
    bench_window_seconds "$exe" >/dev/null
    bench_window_seconds "$empty" >/dev/null
    [ -z "$other_exe" ] || bench_window_seconds "$other_exe" >/dev/null
    for i in $(seq "$runs"); do
        program+=("$(bench_window_seconds "$exe")")
        reference+=("$(bench_window_seconds "$empty")")
        [ -z "$other_exe" ] || other+=("$(bench_window_seconds "$other_exe")")
    done
    local expected=$((2 * runs))
    [ -z "$other_exe" ] || expected=$((3 * runs))
    local shown=$(($(wc -w <<<"${program[*]} ${reference[*]} ${other[*]}")))
    if [ "$shown" -ne "$expected" ]; then
        echo "main window shown: $((expected - shown)) of $expected runs showed no window"
    fi
    bench_report "main window shown" "empty window" "${program[*]}" "${reference[*]}" "${other[*]}"
}

# bench_against_reference COUNT RUNS
bench_against_reference() {
    local count=$1 runs=$2 i program=() reference=() other=()
    local exe reference_exe target other_exe=
    exe=$(winepath -w "$(bench_exe)")
    reference_exe=$(bench_tool reference)
    [ -z "$BENCH_OTHER_EXE" ] || other_exe=$(winepath -w "$BENCH_OTHER_EXE")
    target=$(printf 'Printer-%05d' "$count")
    bench_printers "$count"
    # One unmeasured run of each, so all find the same warm caches.
    bench_wall "$exe" "$target" /q /nogui >/dev/null
    bench_wall "$reference_exe" "$target" >/dev/null
    [ -z "$other_exe" ] || bench_wall "$other_exe" "$target" /q /nogui >/dev/null
    for i in $(seq "$runs"); do
        program+=("$(bench_wall "$exe" "$target" /q /nogui)")
        reference+=("$(bench_wall "$reference_exe" "$target")")
        [ -z "$other_exe" ] || other+=("$(bench_wall "$other_exe" "$target" /q /nogui)")
    done
    bench_report "$(printf '%6d printers, quiet' "$count")" reference "${program[*]}" "${reference[*]}" "${other[*]}"
    local device
    device=$(bench_device)
    [ "$device" = "$target,winspool,LPT1:" ] || echo "        but Device is \"$device\", not $target: the figures are void"
}

bench_device() {
    wine reg query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /v Device |
        sed -n 's/^ *Device *REG_SZ *//p' | tr -d '\r'
}

# CPU time and peak memory of a run whose success window closes itself.
bench_success_window_run() {
    local exe report
    exe=$(winepath -w "$(bench_exe)")
    bench_printers 4
    report=$(/usr/bin/time -f '%U %S %e %M' wine "$exe" Printer-00002 2>&1 >/dev/null | tail -1)
    read -r user system wall peak <<<"$report"
    printf 'success-window run: wall %.2f s, CPU %.2f s (user %.2f, system %.2f) = %.1f%% of wall; peak memory %d MiB\n' \
        "$wall" "$(echo "$user + $system" | bc -l)" "$user" "$system" \
        "$(echo "100 * ($user + $system) / $wall" | bc -l)" "$((peak / 1024))"
}

# bench_network RUNS: "/network /q" (the printer chosen for the networks
# connected now, by a rule that names any network) against a quiet run that
# names the printer, in turns, among 4 printers. The last switch is
# forgotten before each run, so that each one sets the printer, as on a
# change of network, and does not end early as on the same network.
forget_switch() {
    wine reg delete 'HKCU\software\kvo\quillon' /v switchednetwork /f >/dev/null 2>&1 || true
}
bench_network() {
    local runs=$1 i program=() named=() exe key='HKCU\software\kvo\quillon\networkrules'
    exe=$(winepath -w "$(bench_exe)")
    bench_printers 4
    wine reg add "$key" /v '*' /d Printer-00003 /f >/dev/null
    bench_wall "$exe" Printer-00002 /q /nogui >/dev/null
    forget_switch
    bench_wall "$exe" /network /q /nogui >/dev/null
    local device
    device=$(bench_device)
    for i in $(seq "$runs"); do
        forget_switch
        program+=("$(bench_wall "$exe" /network /q /nogui)")
        named+=("$(bench_wall "$exe" Printer-00003 /q /nogui)")
    done
    wine reg delete "$key" /f >/dev/null
    bench_report "/network, quiet" "by name" "${program[*]}" "${named[*]}"
    [ "$device" = "Printer-00003,winspool,LPT1:" ] ||
        echo "        but /network left Device \"$device\": no network connected, the figures are void"
}
