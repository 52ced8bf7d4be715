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
# Every run of a program measured is stopped at a time limit: a build may
# wait for a user where another does not (e27d30e knows no /network and
# shows its window for "/network /q /nogui"). A figure that a build cannot
# give is reported void, and the bench goes on to the next.

# The quillon.exe measured; QUILLON_BENCH_EXE names another build.
bench_exe() {
    echo "${QUILLON_BENCH_EXE:-$QUILLON_ROOT/build/win/quillon.exe}"
}

# Seconds a run of a program measured may take before it is stopped.
BENCH_LIMIT=${QUILLON_BENCH_LIMIT:-60}

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

# bench_limited COMMAND...: runs it, stopped at the limit (killed 5 s
# later if it is still there); false only where it was stopped.
bench_limited() {
    local status=0
    timeout -k 5 "$BENCH_LIMIT" "$@" || status=$?
    [ "$status" -ne 124 ] && [ "$status" -ne 137 ]
}

# Seconds of wall time of one run of a Windows program; "void" where it
# was stopped at the limit.
bench_wall() {
    local start end
    start=$(date +%s.%N)
    bench_limited wine "$@" >/dev/null 2>&1 || {
        echo void
        return
    }
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

# bench_time NAME MEASURE ARGS...: one run more of a figure, whose seconds
# MEASURE ARGS... prints, added to the array NAME. A run stopped at the
# limit leaves NAME only "void", and a void figure is not run again.
bench_time() {
    local -n bench_times_=$1
    shift
    [ "${bench_times_[0]:-}" != void ] || return 0
    local seconds
    seconds=$("$@")
    if [ "$seconds" = void ]; then
        echo "        stopped after ${BENCH_LIMIT} s: ${*:2}"
        bench_times_=(void)
    else
        bench_times_+=("$seconds")
    fi
}

# The same unmeasured, the run that warms the caches: NAME stays empty, or
# becomes void.
bench_warm() {
    bench_time "$@"
    local -n bench_warmed_=$1
    [ "${bench_warmed_[0]:-}" = void ] || bench_warmed_=()
}

bench_median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The median of the seconds given; void where they are, or are none.
bench_median_of() {
    if [[ " $1 " == *" void "* || -z "${1// /}" ]]; then
        echo void
    else
        printf '%s\n' $1 | bench_median
    fi
}

# bench_ratio A B: the ratio of two medians, or void.
bench_ratio() {
    if [ "$1" = void ] || [ "$2" = void ]; then
        echo void
    else
        printf '%.2f' "$(echo "$1 / $2" | bc -l)"
    fi
}

bench_seconds() {
    if [ "$1" = void ]; then echo void; else printf '%.3f s' "$1"; fi
}

# bench_report LABEL OTHER "quillon.exe's seconds" "the other program's seconds"
#     ["the other build's seconds"]
# With another build to hold against, the last is reported beside the
# first (void where it is not given), and the line of the summary gets both
# ratios and theirs.
bench_report() {
    local label=$1 other=$2 this reference
    this=$(bench_median_of "$3")
    reference=$(bench_median_of "$4")
    printf '%s: quillon.exe %s, %s %s, ratio %s (median of %d runs each)\n' \
        "$label" "$(bench_seconds "$this")" "$other" "$(bench_seconds "$reference")" \
        "$(bench_ratio "$this" "$reference")" "$(wc -w <<<"$4")"
    local row build
    row=$(printf '%-24s %6s' "$label" "$(bench_ratio "$this" "$reference")")
    if [ -n "$BENCH_OTHER_NAME" ]; then
        build=$(bench_median_of "${5:-}")
        printf '%s: %s %s, ratio %s\n' "$label" "$BENCH_OTHER_NAME" "$(bench_seconds "$build")" \
            "$(bench_ratio "$build" "$reference")"
        row+=$(printf ' %9s %10s' "$(bench_ratio "$build" "$reference")" "$(bench_ratio "$this" "$build")")
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
# none (the timer waits 30 s for it), void when the timer was stopped. The
# timer writes its lines the Windows way, with a carriage return.
bench_window_seconds() {
    local output
    output=$(bench_limited wine "$(bench_tool window_timer)" "$1" 2>/dev/null) || {
        echo void
        return
    }
    tr -d '\r' <<<"$output"
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
    bench_warm program bench_window_seconds "$exe"
    bench_warm reference bench_window_seconds "$empty"
    [ -z "$other_exe" ] || bench_warm other bench_window_seconds "$other_exe"
    for i in $(seq "$runs"); do
        bench_time program bench_window_seconds "$exe"
        bench_time reference bench_window_seconds "$empty"
        [ -z "$other_exe" ] || bench_time other bench_window_seconds "$other_exe"
    done
    local expected=$((2 * runs)) unshown
    [ -z "$other_exe" ] || expected=$((3 * runs))
    unshown=$((${#program[@]} + ${#reference[@]} + ${#other[@]} - $(wc -w <<<"${program[*]} ${reference[*]} ${other[*]}")))
    if [ "$unshown" -ne 0 ]; then
        echo "main window shown: $unshown of $expected runs showed no window"
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
    bench_warm program bench_wall "$exe" "$target" /q /nogui
    bench_warm reference bench_wall "$reference_exe" "$target"
    [ -z "$other_exe" ] || bench_warm other bench_wall "$other_exe" "$target" /q /nogui
    for i in $(seq "$runs"); do
        bench_time program bench_wall "$exe" "$target" /q /nogui
        bench_time reference bench_wall "$reference_exe" "$target"
        [ -z "$other_exe" ] || bench_time other bench_wall "$other_exe" "$target" /q /nogui
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
    report=$(/usr/bin/time -f '%U %S %e %M' timeout -k 5 "$BENCH_LIMIT" wine "$exe" Printer-00002 2>&1 >/dev/null) || true
    # time says so when the program ended with another code than 0.
    if grep -Eq 'status (124|137)$' <<<"$report"; then
        echo "success-window run: void, stopped after ${BENCH_LIMIT} s"
        return
    fi
    read -r user system wall peak <<<"$(tail -1 <<<"$report")"
    printf 'success-window run: wall %.2f s, CPU %.2f s (user %.2f, system %.2f) = %.1f%% of wall; peak memory %d MiB\n' \
        "$wall" "$(echo "$user + $system" | bc -l)" "$user" "$system" \
        "$(echo "100 * ($user + $system) / $wall" | bc -l)" "$((peak / 1024))"
}

# bench_network RUNS: "/network /q" (the printer chosen for the networks
# connected now, by a rule that names any network) against a quiet run that
# names the printer, in turns, among 4 printers; with --against, the other
# build's "/network /q" in turn too. The last switch is forgotten before
# each run, so that each one sets the printer, as on a change of network,
# and does not end early as on the same network.
forget_switch() {
    local value
    for value in lastswitch switchednetwork; do
        wine reg delete 'HKCU\software\kvo\quillon' /v "$value" /f >/dev/null 2>&1 || true
    done
}
bench_network() {
    local runs=$1 i program=() named=() other=() exe other_exe='' key='HKCU\software\kvo\quillon\networkrules'
    exe=$(winepath -w "$(bench_exe)")
    [ -z "$BENCH_OTHER_EXE" ] || other_exe=$(winepath -w "$BENCH_OTHER_EXE")
    bench_printers 4
    wine reg add "$key" /v '*' /d Printer-00003 /f >/dev/null
    # A rule by address range too, which a network with an IPv4 address
    # matches before the name: a build without such rules reads it as a
    # name that no network carries, and the same printer comes.
    wine reg add "$key" /v '0.0.0.0/0' /d Printer-00003 /f >/dev/null
    bench_network_warm program "$exe"
    [ -z "$other_exe" ] || bench_network_warm other "$other_exe"
    bench_warm named bench_wall "$exe" Printer-00003 /q /nogui
    for i in $(seq "$runs"); do
        forget_switch
        bench_time program bench_wall "$exe" /network /q /nogui
        bench_time named bench_wall "$exe" Printer-00003 /q /nogui
        forget_switch
        [ -z "$other_exe" ] || bench_time other bench_wall "$other_exe" /network /q /nogui
    done
    wine reg delete "$key" /f >/dev/null
    bench_report "/network, quiet" "by name" "${program[*]}" "${named[*]}" "${other[*]}"
}

# bench_network_warm NAME EXE: the unmeasured "/network /q" of EXE, after a
# run that names another printer. NAME becomes void where EXE does not end
# in time or leaves Device at that printer: no network is connected, or the
# build knows no /network.
bench_network_warm() {
    local -n bench_network_times_=$1
    bench_wall "$2" Printer-00002 /q /nogui >/dev/null
    forget_switch
    bench_warm "$1" bench_wall "$2" /network /q /nogui
    [ "${bench_network_times_[0]:-}" != void ] || return 0
    local device
    device=$(bench_device)
    if [ "$device" != "Printer-00003,winspool,LPT1:" ]; then
        echo "        /network of $2 left Device \"$device\": no network connected, or no /network in that build; void"
        bench_network_times_=(void)
    fi
}
