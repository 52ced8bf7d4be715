#!/usr/bin/env bash
# "/network" against real adapters: quillon.exe in a network namespace of its
# own, where each adapter is a network (Wine names its networks after their
# adapters and counts one as connected while it is up). The user's table is
# seeded in the registry; then, one network at a time, the printer chosen
# for the one connected is set, and a network without a choice ends the run
# with exit code 1 under "/nogui". Last, the events of the Application log
# that runs write, or do not: a switch's, a missing printer's, Windows'
# error, none for a quiet run that went well or an error a box showed.
#
#   network_namespace_test.sh WINE-RUN TEMPLATE-PREFIX QUILLON-EXE
#
# Wine asks its device host for the adapters, so the whole Wine session runs
# in the namespace, in a prefix of its own: a copy of the end-to-end tests'
# prefix (made ready first), hard-linked but for the registry, the files
# Wine writes into, so it costs no time or disk and leaves the original be.
set -euo pipefail
wine_run=$1 template=$2 exe=$3

if [[ ${1:-} != --inside ]]; then
    [[ -f $template/.wine-run.ready ]] || "$wine_run" --start "$template"
    work=$(mktemp -d)
    holder=
    cleanup() {
        [[ -n $holder ]] && kill "$holder" 2>/dev/null
        rm -rf "$work"
    }
    trap cleanup EXIT
    cp -al "$template" "$work/prefix"
    # The end-to-end session may be saving its registry just then: a copy
    # that differs from the original once made is made again.
    for file in "$template"/*.reg; do
        for _ in $(seq 1 20); do
            cp --remove-destination "$file" "$work/prefix/" && cmp -s "$file" "$work/prefix/${file##*/}" && break
            sleep 0.2
        done
    done
    rm -f "$work/prefix"/.wine-run.{lock,display,xvfb-pid,keeper-pid,keeper-ready}
    # The far ends of the adapters live in a second namespace, so that
    # they are not adapters of the program's.
    unshare -n sleep 600 &
    holder=$!
    while [[ $(readlink "/proc/$holder/ns/net") == $(readlink /proc/self/ns/net) ]]; do sleep 0.05; done
    unshare -n -- bash ${QUILLON_TRACE:+-x} "$0" --inside "$wine_run" "$work/prefix" "$exe" "$holder"
    exit
fi
shift
wine_run=$1 prefix=$2 exe=$3 holder=$4
failures=0
trap '"$wine_run" --stop "$prefix" >/dev/null 2>&1 || true' EXIT

# Each network goes up or down with both ends of its pair; waits until the
# adapter says so.
network() {
    local name=$1 state=$2
    ip link set "$name" "$state"
    nsenter -t "$holder" -n ip link set "$name-far" "$state"
    local wanted=UP
    [[ $state == up ]] || wanted=DOWN
    for _ in $(seq 1 50); do
        [[ $(ip -br link show dev "$name" | awk '{print $2}') == "$wanted" ]] && return
        sleep 0.1
    done
    echo "adapter $name did not go $state" >&2
    return 1
}

ip link set lo up
for name in office home cafe; do
    ip link add "$name" type veth peer name "$name-far" netns "$holder"
done

seed=$(mktemp --suffix=.reg)
trap 'rm -f "$seed"; "$wine_run" --stop "$prefix" >/dev/null 2>&1 || true' EXIT
cat >"$seed" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\Windows]
"Device"=-
"LegacyDefaultPrinterMode"=dword:00000001

[-HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\PrinterPorts]

[HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\PrinterPorts]
"Office Laser"="winspool,LPT1:,15,45"
"Home Inkjet"="winspool,LPT2:,15,45"
"Accounts Broken"="winspool"

[HKEY_CURRENT_USER\software\kvo\quillon]
"desktop"="1"
"startup"="1"
"startupall"="1"
"networkpolicy"=-

[-HKEY_CURRENT_USER\software\kvo\quillon\networks]
[-HKEY_CURRENT_USER\software\kvo\quillon\networkrules]
[-HKEY_LOCAL_MACHINE\software\kvo\quillon\networkrules]

[HKEY_CURRENT_USER\software\kvo\quillon\networks]
"Office"="Office Laser"
"home"="home inkjet"
REG
"$wine_run" "$prefix" regedit /s "Z:${seed//\//\\}"

# Expects the run's exit code and the default printer it leaves.
expect() {
    local label=$1 code=$2 device=$3 status=0 found
    # A run that waits in a window would never end by itself.
    timeout 60 "$wine_run" "$prefix" "$exe" /network /q /nogui || status=$?
    found=$("$wine_run" "$prefix" reg query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' \
        /v Device 2>/dev/null | sed -n 's/.*REG_SZ[[:space:]]*//p' | tr -d '\r')
    if [[ $status != "$code" || $found != "$device" ]]; then
        echo "FAILED $label: exit code $status (wanted $code), default \"$found\" (wanted \"$device\")"
        failures=$((failures + 1))
    else
        echo "ok $label"
    fi
}

network home up
expect "home connected" 0 "Home Inkjet,winspool,LPT2:"
network office up
network home down
expect "home down, office connected" 0 "Office Laser,winspool,LPT1:"
network office down
network cafe up
expect "only an unchosen network" 1 "Office Laser,winspool,LPT1:"

# Runs the program with Wine's event log channel on, where its ReportEventW
# writes each string of an event, and expects the exit code and the strings
# of the event the run writes, or none.
events() {
    local label=$1 code=$2 wanted=$3 status=0 written limit=60
    shift 3
    # A run that waits in its window is ended: 124.
    [[ $code != 124 ]] || limit=10
    written=$(QUILLON_WINEDEBUG=-all,warn+eventlog,err+eventlog,trace+eventlog \
        timeout "$limit" "$wine_run" "$prefix" "$exe" "$@" 2>&1 >/dev/null |
        sed -n 's/^.*:eventlog:ReportEventW //p' | tr -d '\r' | paste -sd ' ') || status=$?
    if [[ $status != "$code" || $written != "$wanted" ]]; then
        echo "FAILED $label: exit code $status (wanted $code), event [$written] (wanted [$wanted])"
        failures=$((failures + 1))
    else
        echo "ok $label"
    fi
}

network cafe down
network home up
events "a switch writes the network and the printer" 0 'L"home" L"Home Inkjet"' /network /q /nogui
events "a quiet run by name writes nothing" 0 "" /q /nogui "office laser"
events "no printer of that name: its name" 1 'L"Lobby Printer"' /q /nogui "Lobby Printer"
events "a printer Windows cannot set: Windows' error" 2 'L"Accounts Broken" L"1801" L"Invalid printer name."' \
    /q /nogui "Accounts Broken"
# The error box answers for the run, which waits in it until it is ended.
events "an error shown in a box writes nothing" 124 "" "Accounts Broken"
exit $((failures > 0))
