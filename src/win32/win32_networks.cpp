#include "win32/win32_networks.h"

#include <windows.h>
#include <winsock2.h>
#include <ws2ipdef.h>  // before the IP helper, whose route and interface rows need it
#include <iphlpapi.h>
#include <netlistmgr.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win32/library_search.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {
namespace {

// The Network List Manager's class, spelt out: not every toolchain's uuid
// library carries it.
constexpr CLSID kNetworkListManager = {
    0xdcb00c01, 0x570f, 0x4a9b, {0x8d, 0x69, 0x19, 0x9f, 0xdb, 0xa5, 0x72, 0x3b}};

struct Adapter {
    std::string name;  // as Windows shows it: "Ethernet 2", "Wi-Fi"
    bool loopback = false;
    bool up = false;
    bool physical = false;
    std::optional<std::uint32_t> ipv4RouteCost, ipv6RouteCost;
    std::vector<IpAddress> addresses;
};

// Adapter identities in one letter case: the two lists need not agree.
std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towupper(c));
    return text;
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    return StringFromGUID2(guid, text, 40) > 0 ? Upper(text) : std::wstring();
}

// The IP helper's calls that name adapters and routes; those that came
// with Windows Vista are null before it.
struct IpHelper {
    unique_hmodule library{LoadSystemLibrary("iphlpapi.dll")};
    using GetAdaptersAddressesFunction = ULONG(WINAPI*)(ULONG, ULONG, PVOID, PIP_ADAPTER_ADDRESSES, PULONG);
    using GetIfEntry2Function = DWORD(WINAPI*)(PMIB_IF_ROW2);
    using GetIpForwardTable2Function = DWORD(WINAPI*)(ADDRESS_FAMILY, PMIB_IPFORWARD_TABLE2*);
    using FreeMibTableFunction = VOID(WINAPI*)(PVOID);
    GetAdaptersAddressesFunction getAdapters =
        LookUpFunction<GetAdaptersAddressesFunction>(library.get(), "GetAdaptersAddresses");
    GetIfEntry2Function getIfEntry = LookUpFunction<GetIfEntry2Function>(library.get(), "GetIfEntry2");
    GetIpForwardTable2Function getRoutes =
        LookUpFunction<GetIpForwardTable2Function>(library.get(), "GetIpForwardTable2");
    FreeMibTableFunction freeTable = LookUpFunction<FreeMibTableFunction>(library.get(), "FreeMibTable");
};

// Whether the adapter is a network card of its own: a hardware interface,
// not a filter module stacked on one, with a connector. A VPN's adapter is
// a tunnel or a dial-up (PPP) one, or an Ethernet one that some clients
// give a connector; a virtual switch's (Hyper-V, WSL) counts as Ethernet
// too; neither is hardware. An adapter Windows cannot describe is not
// taken for a card.
bool IsPhysical(const IpHelper& helper, const IP_ADAPTER_ADDRESSES& adapter) {
    if (adapter.IfType == IF_TYPE_TUNNEL || adapter.IfType == IF_TYPE_PPP ||
        adapter.IfType == IF_TYPE_PROP_VIRTUAL || adapter.IfType == IF_TYPE_SOFTWARE_LOOPBACK ||
        helper.getIfEntry == nullptr) {
        return false;
    }
    MIB_IF_ROW2 row{};
    row.InterfaceLuid = adapter.Luid;
    if (helper.getIfEntry(&row) != NO_ERROR) return false;
    const auto& flags = row.InterfaceAndOperStatusFlags;
    return flags.HardwareInterface != FALSE && flags.FilterInterface == FALSE && flags.ConnectorPresent != FALSE;
}

// The default routes (0.0.0.0/0 and ::/0) by interface, each costing what
// Windows weighs it by: the route's metric plus its interface's. Asked of
// the routing table itself: which interface Windows would choose for an
// address is answered wrongly by some systems when two default routes
// exist.
std::map<ULONG64, std::vector<std::pair<ADDRESS_FAMILY, ULONG>>> DefaultRoutes(const IpHelper& helper) {
    std::map<ULONG64, std::vector<std::pair<ADDRESS_FAMILY, ULONG>>> routes;
    if (helper.getRoutes == nullptr || helper.freeTable == nullptr) return routes;
    PMIB_IPFORWARD_TABLE2 table = nullptr;
    if (helper.getRoutes(AF_UNSPEC, &table) != NO_ERROR || table == nullptr) return routes;
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        const MIB_IPFORWARD_ROW2& route = table->Table[i];
        if (route.DestinationPrefix.PrefixLength != 0) continue;
        routes[route.InterfaceLuid.Value].emplace_back(route.DestinationPrefix.Prefix.si_family,
                                                       route.Metric);
    }
    helper.freeTable(table);
    return routes;
}

// The cheapest of the adapter's default routes of the family.
std::optional<std::uint32_t> RouteCost(const std::vector<std::pair<ADDRESS_FAMILY, ULONG>>& routes,
                                       const IP_ADAPTER_ADDRESSES& adapter, ADDRESS_FAMILY wanted) {
    std::optional<std::uint32_t> lowest;
    for (const auto& [family, metric] : routes) {
        if (family != wanted) continue;
        const ULONG interfaceMetric = family == AF_INET6 ? adapter.Ipv6Metric : adapter.Ipv4Metric;
        const auto cost = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(std::uint64_t{metric} + interfaceMetric, UINT32_MAX));
        if (!lowest || cost < *lowest) lowest = cost;
    }
    return lowest;
}

// The adapter's unicast addresses that it may use: one found on another
// computer of the network too is not.
std::vector<IpAddress> UnicastAddresses(const IP_ADAPTER_ADDRESSES& adapter) {
    std::vector<IpAddress> addresses;
    for (auto* unicast = adapter.FirstUnicastAddress; unicast != nullptr; unicast = unicast->Next) {
        const SOCKET_ADDRESS& socket = unicast->Address;
        if (socket.lpSockaddr == nullptr || unicast->DadState == IpDadStateDuplicate ||
            unicast->DadState == IpDadStateInvalid) {
            continue;
        }
        IpAddress address;
        if (socket.lpSockaddr->sa_family == AF_INET && socket.iSockaddrLength >= int{sizeof(sockaddr_in)}) {
            const auto& ipv4 = *reinterpret_cast<const sockaddr_in*>(socket.lpSockaddr);
            std::memcpy(address.bytes.data(), &ipv4.sin_addr, 4);
        } else if (socket.lpSockaddr->sa_family == AF_INET6 &&
                   socket.iSockaddrLength >= int{sizeof(sockaddr_in6)}) {
            const auto& ipv6 = *reinterpret_cast<const sockaddr_in6*>(socket.lpSockaddr);
            address.ipv6 = true;
            std::memcpy(address.bytes.data(), &ipv6.sin6_addr, 16);
        } else {
            continue;
        }
        addresses.push_back(address);
    }
    return addresses;
}

// The adapters by their identity ("{...}"). The IP helper is loaded here,
// by a run that asks for networks, and not at every start.
std::map<std::wstring, Adapter> Adapters() {
    std::map<std::wstring, Adapter> adapters;
    const IpHelper helper;
    if (helper.getAdapters == nullptr) return adapters;
    constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                             GAA_FLAG_SKIP_DNS_SERVER;
    // Adapters may come and go between the size query and the read.
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 4 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.assign(size, 0);
        result = helper.getAdapters(AF_UNSPEC, kFlags, nullptr,
                                    reinterpret_cast<PIP_ADAPTER_ADDRESSES>(buffer.data()), &size);
    }
    if (result != ERROR_SUCCESS) return adapters;
    const auto routes = DefaultRoutes(helper);
    const std::vector<std::pair<ADDRESS_FAMILY, ULONG>> noRoutes;
    for (auto* adapter = reinterpret_cast<PIP_ADAPTER_ADDRESSES>(buffer.data()); adapter != nullptr;
         adapter = adapter->Next) {
        if (adapter->AdapterName == nullptr) continue;
        const auto found = routes.find(adapter->Luid.Value);
        const auto& adapterRoutes = found != routes.end() ? found->second : noRoutes;
        adapters[Upper(Widen(adapter->AdapterName))] = {
            adapter->FriendlyName != nullptr ? NarrowExactly(adapter->FriendlyName) : "",
            adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK, adapter->OperStatus == IfOperStatusUp,
            IsPhysical(helper, *adapter), RouteCost(adapterRoutes, *adapter, AF_INET),
            RouteCost(adapterRoutes, *adapter, AF_INET6), UnicastAddresses(*adapter)};
    }
    return adapters;
}

void KeepLower(std::optional<std::uint32_t>& lowest, const std::optional<std::uint32_t>& cost) {
    if (cost && (!lowest || *cost < *lowest)) lowest = cost;
}

// A network as its adapters that are up show it: physical when any of them
// is, each route the cheapest of theirs, its addresses all of theirs. One
// without such an adapter is reached in a way nobody can tell.
Network NetworkOf(std::string id, std::string name, const std::vector<const Adapter*>& adapters) {
    Network network{std::move(id), std::move(name), NetworkReach::Unknown, std::nullopt, std::nullopt, {}};
    if (adapters.empty()) return network;
    const bool physical =
        std::any_of(adapters.begin(), adapters.end(), [](const Adapter* adapter) { return adapter->physical; });
    network.reach = physical ? NetworkReach::Physical : NetworkReach::Virtual;
    for (const Adapter* adapter : adapters) {
        KeepLower(network.ipv4RouteCost, adapter->ipv4RouteCost);
        KeepLower(network.ipv6RouteCost, adapter->ipv6RouteCost);
        network.addresses.insert(network.addresses.end(), adapter->addresses.begin(), adapter->addresses.end());
    }
    return network;
}

struct NetworkConnection {
    std::wstring network, adapter;
    bool connected = false;
};

// Every connection with its network and adapter, from the manager's own
// list, which every version of the list answers.
std::vector<NetworkConnection> ConnectionsOf(INetworkListManager& manager) {
    std::vector<NetworkConnection> found;
    unique_com<IEnumNetworkConnections> connections;
    if (FAILED(manager.GetNetworkConnections(connections.out())) || !connections) return found;
    for (;;) {
        unique_com<INetworkConnection> connection;
        ULONG fetched = 0;
        if (connections->Next(1, connection.out(), &fetched) != S_OK || fetched != 1) break;
        unique_com<INetwork> network;
        GUID networkId{}, adapterId{};
        if (FAILED(connection->GetNetwork(network.out())) || !network ||
            FAILED(network->GetNetworkId(&networkId)) || FAILED(connection->GetAdapterId(&adapterId))) {
            continue;
        }
        VARIANT_BOOL connected = VARIANT_TRUE;
        if (FAILED(connection->get_IsConnected(&connected))) connected = VARIANT_TRUE;
        found.push_back({GuidText(networkId), GuidText(adapterId), connected != VARIANT_FALSE});
    }
    return found;
}

}  // namespace

std::vector<Network> Win32Networks::Connected() {
    std::vector<Network> connected;
    // A thread already in another apartment can still make the object.
    const unique_couninitialize com;
    if (!com && com.result() != RPC_E_CHANGED_MODE) return connected;
    unique_com<INetworkListManager> manager;
    unique_com<IEnumNetworks> networks;
    if (FAILED(CoCreateInstance(kNetworkListManager, nullptr, CLSCTX_ALL,
                                __uuidof(INetworkListManager), manager.out_void())) ||
        FAILED(manager->GetNetworks(NLM_ENUM_NETWORK_CONNECTED, networks.out())) || !networks) {
        return connected;
    }
    std::vector<NetworkConnection> connections;
    std::map<std::wstring, Adapter> adapters;
    bool adaptersRead = false;
    for (;;) {
        unique_com<INetwork> network;
        ULONG fetched = 0;
        if (networks->Next(1, network.out(), &fetched) != S_OK || fetched != 1) break;
        GUID id{};
        if (FAILED(network->GetNetworkId(&id))) continue;
        const std::wstring networkId = GuidText(id);
        unique_bstr name;
        if (FAILED(network->GetName(name.out()))) name.reset();
        if (!adaptersRead) {
            connections = ConnectionsOf(*manager.get());
            adapters = Adapters();
            adaptersRead = true;
        }
        // The network's adapters that are up; loopback is no network to
        // choose a printer for.
        std::vector<std::pair<std::wstring, const Adapter*>> up;
        bool onlyLoopback = true;
        for (const NetworkConnection& connection : connections) {
            if (connection.network != networkId) continue;
            const auto adapter = adapters.find(connection.adapter);
            if (adapter == adapters.end()) {
                onlyLoopback = false;
                continue;
            }
            onlyLoopback = onlyLoopback && adapter->second.loopback;
            if (connection.connected && adapter->second.up && !adapter->second.loopback &&
                !adapter->second.name.empty()) {
                up.emplace_back(connection.adapter, &adapter->second);
            }
        }
        if (name && SysStringLen(name.get()) > 0) {
            const bool anyConnection = std::any_of(connections.begin(), connections.end(),
                [&](const NetworkConnection& connection) { return connection.network == networkId; });
            if (anyConnection && onlyLoopback) continue;
            std::vector<const Adapter*> its;
            its.reserve(up.size());
            for (const auto& adapter : up) its.push_back(adapter.second);
            const std::wstring_view shown(name.get(), SysStringLen(name.get()));
            connected.push_back(NetworkOf(Narrow(networkId), NarrowExactly(shown), its));
            continue;
        }
        // A network Windows gives no name (all of them under Wine) stands
        // for each of its adapters that is up, under the adapter's name.
        for (const auto& adapter : up) {
            const std::string adapterId = Narrow(adapter.first);
            const bool listed = std::any_of(connected.begin(), connected.end(),
                                            [&](const Network& shown) { return shown.id == adapterId; });
            if (!listed) connected.push_back(NetworkOf(adapterId, adapter.second->name, {adapter.second}));
        }
    }
    return connected;
}

}  // namespace quillon::platform::win32
