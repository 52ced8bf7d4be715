#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "networks/network_choices.h"
#include "platform/networks.h"

namespace quillon::networks {

// An address range in CIDR form: the addresses whose first prefixLength
// bits are those of `first`.
struct AddressRange {
    platform::IpAddress first;  // the bits after the prefix cleared
    int prefixLength = 0;
};

// "192.0.2.10" or "2001:db8::10" (with "::" and a dotted IPv4 end as
// usual); nothing for anything else.
std::optional<platform::IpAddress> ParseAddress(std::string_view text);

// The address as ParseAddress reads it, IPv6 with its longest run of zero
// groups as "::".
std::string AddressText(const platform::IpAddress& address);

// "192.0.2.0/24" or "2001:db8:1::/48". Nothing for anything else: a prefix
// longer than the address, an octet above 255 or written with a leading
// zero (which some tools read as octal), a missing prefix length, an IPv6
// zone. Bits set after the prefix are dropped, as Windows' routing tables
// do: "192.0.2.7/24" is 192.0.2.0/24.
std::optional<AddressRange> ParseAddressRange(std::string_view text);

bool InRange(const AddressRange& range, const platform::IpAddress& address);

// What an administrator's rule names, read from its name: a network name
// or pattern, an address range, or a name or pattern, a blank and a range.
// A name whose last word is no range is a name as a whole, so a range
// written wrongly is a name that no network carries, never every network.
struct Place {
    std::string network;  // lower-cased; empty for a range alone
    std::optional<AddressRange> range;
};
Place ParsePlace(std::string_view ruleName);

// Whether the rule names a place by its addresses: a range, alone or after
// a name.
bool NamesAddresses(std::string_view ruleName);

// The rule that decides for the network, in this order: a name with a
// range, a range alone (IPv4 before IPv6, since an IPv6 prefix comes and
// goes with the router's advertisements; then the longest prefix), the
// user's own choice for the network's name, the administrator's rules by
// name (exact before a pattern, then the pattern with the most characters
// that stand for themselves). A place names one site, a name may stand for
// many. Where two rules rank alike, the name first in the alphabet, and of
// two with one name the first given (the user's policy before the
// computer's). Nothing when no rule matches.
const NetworkChoice* DecidingRule(const platform::Network& network, std::span<const NetworkChoice> user,
                                  std::span<const NetworkChoice> administrator);

}  // namespace quillon::networks
