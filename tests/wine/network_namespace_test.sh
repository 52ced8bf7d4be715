#!/usr/bin/env bash
# "/network" against real adapters: quillon.exe in a network namespace of its
# own, where each adapter is a network (Wine names its networks after their
# adapters and counts one as connected while it is up). First the window
# chooses a printer for an adapter named outside ASCII (an end-to-end test
# of the window, whose connected network it is); then the user's table is
# seeded in the registry, and as adapters come and go and their default
# routes change metrics, the printer of the network that decides is set, a
# default set by hand stays while that network stays, and a network without
# a choice where the laptop is sets nothing, ends the run with exit code 1
# under "/nogui" and counts as a move. Last, the events of
# the Application log that runs write, or do not: a switch's, a missing
# printer's, Windows' error, none for a quiet run that went well or an error
# a box showed.
#
#   network_namespace_test.sh WINE-RUN TEMPLATE-PREFIX QUILLON-EXE E2E-TESTS-EXE
#
# Wine asks its device host for the adapters, so the whole Wine session runs
# in the namespace, in a prefix of its own: a copy of the end-to-end tests'
# prefix (made ready first), hard-linked but for the registry, the files
# Wine writes into, so it costs no time or disk and leaves the original be.
set -euo pipefail
wine_run=$1 template=$2 exe=$3 e2e=$4

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
    unshare -n -- bash ${QUILLON_TRACE:+-x} "$0" --inside "$wine_run" "$work/prefix" "$exe" "$e2e" "$holder"
    exit
fi
shift
wine_run=$1 prefix=$2 exe=$3 e2e=$4 holder=$5
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

# A network's default route, through its far end, at this metric; none
# without one. Taking an adapter down takes its routes with it.
route() {
    local name=$1 metric=${2:-} net
    net=$(ip -4 -o addr show dev "$name" | awk '{print $4}' | cut -d. -f1-3)
    ip route del default dev "$name" 2>/dev/null || true
    [[ -z $metric ]] || ip route add default via "$net.1" dev "$name" metric "$metric"
}

ip link set lo up
number=1
for name in office home cafe café0 corp; do
    ip link add "$name" type veth peer name "$name-far" netns "$holder"
    ip addr add "10.0.$number.2/24" dev "$name"
    number=$((number + 1))
done

# The window, on the adapter named outside ASCII; the end-to-end test sets
# its own printers (HP LaserJet 4, HP DeskJet 500, Fax) and options.
network café0 up
QUILLON_EXE=$exe "$wine_run" "$prefix" "$e2e" \
    --gtest_filter=QuillonTest.PrinterPerNetworkIsStoredAndSwitchingRegistersItsTask ||
    { echo "FAILED the window on café0"; failures=$((failures + 1)); }

seed=$(mktemp --suffix=.reg)
trap 'rm -f "$seed"; "$wine_run" --stop "$prefix" >/dev/null 2>&1 || true' EXIT
cat >"$seed" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\Windows]
"Device"="HP LaserJet 4,winspool,LPT1:"
"LegacyDefaultPrinterMode"=dword:00000001

[-HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\PrinterPorts]

[HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\PrinterPorts]
"HP LaserJet 4"="winspool,LPT1:,15,45"
"HP DeskJet 500"="winspool,LPT2:,15,45"
"Fax"="winspool,FAX:,15,45"
"Accounts Broken"="winspool"

[HKEY_CURRENT_USER\software\kvo\quillon]
"networkpolicy"=-

[-HKEY_CURRENT_USER\software\kvo\quillon\networkrules]
[-HKEY_LOCAL_MACHINE\software\kvo\quillon\networkrules]

[HKEY_LOCAL_MACHINE\software\kvo\quillon\networkrules]
"10.1.0.0/16"="HP LaserJet 4"
"corp 10.2.0.0/16"="HP DeskJet 500"
"2001:db8:3::/48"="HP LaserJet 4"
"corp"="Fax"
"corp 10.2.0.0/33"="Fax"

[HKEY_CURRENT_USER\software\kvo\quillon\networks]
"Office"="HP LaserJet 4"
"home"="hp deskjet 500"
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

# By hand: a default set with no network switch in between.
set_by_hand() {
    "$wine_run" "$prefix" reg add 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' \
        /v Device /d "$1" /f >/dev/null
}

expect "the window's choice was the switch: set by hand since, it stays" 0 "HP LaserJet 4,winspool,LPT1:"
network café0 down
network home up
route home 100
expect "home connected" 0 "HP DeskJet 500,winspool,LPT2:"
set_by_hand "Fax,winspool,FAX:"
expect "set by hand on the same network: it stays" 0 "Fax,winspool,FAX:"
network office up
route office 10
expect "office's default route costs less" 0 "HP LaserJet 4,winspool,LPT1:"
# Two default routes of one metric are one route to Linux: one at a time.
route office
route home 10
route office 100
expect "the metrics swapped" 0 "HP DeskJet 500,winspool,LPT2:"
network home down
network office down
network café0 up
expect "café0's choice read back" 0 "Fax,winspool,FAX:"
# A laptop's days (cafe is a home without a choice): office, home, by hand, office; home beside
# the office's network, as beside a VPN, behind the home route.
laser="HP LaserJet 4,winspool,LPT1:"
network café0 down
network office up
route office 10
expect "at the office" 0 "$laser"
network office down
network cafe up
expect "home without a choice: nothing set" 1 "$laser"
set_by_hand "Fax,winspool,FAX:"
network cafe down
network office up
route office 10
expect "back at the office: its printer again" 0 "$laser"
network office down
network home up
route home 100
network cafe up
route cafe 10
expect "the route through a network without a choice decides: nothing set" 1 "$laser"

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
# The rule is the value's name as the registry keeps it: the window's test wrote "Home".
events "a switch writes the network, the printer and the rule" 0 'L"home" L"HP DeskJet 500" L"Home"' \
    /network /q /nogui
events "a quiet run by name writes nothing" 0 "" /q /nogui "hp laserjet 4"
events "no printer of that name: its name" 1 'L"Lobby Printer"' /q /nogui "Lobby Printer"
events "a printer Windows cannot set: Windows' error" 2 'L"Accounts Broken" L"1801" L"Invalid printer name."' \
    /q /nogui "Accounts Broken"
# The error box answers for the run, which waits in it until it is ended.
events "an error shown in a box writes nothing" 124 "" "Accounts Broken"

# A user without options (a fleet PC without the desktop policy): the task's run opens no window.
"$wine_run" "$prefix" reg delete 'HKCU\software\kvo\quillon' /v desktop /f >/dev/null
network home down
network office up
route office 10
expect "no options stored: no window, the network's printer" 0 "$laser"

# The sites of a company whose network has one name everywhere: one
# adapter, "corp", moved from one address range to the next under the
# seed's rules by range, by name and range, and by name.
move_to() { ip addr flush dev corp; ip addr add "$1" dev corp ${2:+nodad}; }
network office down
network corp up
move_to 10.1.0.2/24
expect "the first site's range" 0 "$laser"
move_to 10.2.0.2/24
events "the network's name and the second site's range, named in the event" 0 \
    'L"corp" L"HP DeskJet 500" L"corp 10.2.0.0/16"' /network /q /nogui
move_to 10.9.0.2/24
expect "no range matches: the rule by name" 0 "Fax,winspool,FAX:"
move_to 2001:db8:3::2/64 nodad
expect "an IPv6 address only, in an IPv6 range" 0 "$laser"
exit $((failures > 0))
