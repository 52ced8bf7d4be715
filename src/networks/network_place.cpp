#include "networks/network_place.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "base/pattern.h"
#include "base/text.h"

namespace quillon::networks {
namespace {

constexpr auto npos = std::string_view::npos;

// A decimal number of at most that many digits, without a leading zero.
std::optional<int> Decimal(std::string_view digits, std::size_t most) {
    if (digits.empty() || digits.size() > most || (digits.size() > 1 && digits.front() == '0')) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Dotted IPv4, appended to the bytes.
bool ReadIpv4(std::string_view address, std::vector<std::uint8_t>& bytes) {
    for (int octet = 0; octet < 4; ++octet) {
        const std::size_t dot = octet < 3 ? address.find('.') : address.size();
        if (dot == npos) return false;
        const auto value = Decimal(address.substr(0, dot), 3);
        if (!value || *value > 255) return false;
        bytes.push_back(static_cast<std::uint8_t>(*value));
        address.remove_prefix(std::min(dot + 1, address.size()));
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Groups of up to four hex digits between colons, the last of them dotted
// IPv4 where that may end the address; appended to the bytes. Empty text
// holds no group (beside "::").
bool ReadGroups(std::string_view groups, bool ipv4Last, std::vector<std::uint8_t>& bytes) {
    while (!groups.empty()) {
        const std::size_t colon = groups.find(':');
        const std::string_view group = groups.substr(0, colon);
        if (colon == npos && ipv4Last && group.find('.') != npos) return ReadIpv4(group, bytes);
        if (group.empty() || group.size() > 4) return false;
        int value = 0;
        for (const char c : group) {
            if (HexDigit(c) < 0) return false;
            value = value * 16 + HexDigit(c);
        }
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        if (colon == npos) break;
        groups.remove_prefix(colon + 1);
        if (groups.empty()) return false;  // a colon at the end
    }
    return true;
}

std::optional<platform::IpAddress> ReadIpv6(std::string_view address) {
    const std::size_t gap = address.find("::");
    std::vector<std::uint8_t> front;
    if (gap == npos) {
        if (!ReadGroups(address, true, front) || front.size() != 16) return std::nullopt;
    } else {
        const std::string_view tail = address.substr(gap + 2);
        std::vector<std::uint8_t> back;
        // "::" stands for at least one group of zeros, once.
        if (tail.find("::") != npos || !ReadGroups(address.substr(0, gap), false, front) ||
            !ReadGroups(tail, true, back) || front.size() + back.size() > 14) {
            return std::nullopt;
        }
        front.resize(16 - back.size(), 0);
        front.insert(front.end(), back.begin(), back.end());
    }
    platform::IpAddress ip{true, {}};
    std::copy(front.begin(), front.end(), ip.bytes.begin());
    return ip;
}

std::array<std::uint8_t, 16> Prefix(const std::array<std::uint8_t, 16>& bytes, int length) {
    std::array<std::uint8_t, 16> prefix{};
    for (int i = 0; i < 16; ++i) {
        const int bits = std::clamp(length - 8 * i, 0, 8);
        prefix[i] = static_cast<std::uint8_t>(bytes[i] & (0xFF00 >> bits));
    }
    return prefix;
}

bool HasAddressIn(const platform::Network& network, const AddressRange& range) {
    return std::any_of(network.addresses.begin(), network.addresses.end(),
                       [&](const platform::IpAddress& address) { return InRange(range, address); });
}

bool NameMatches(const std::string& wanted, const std::string& lowerName) {
    return IsPattern(wanted) ? MatchesPattern(lowerName, wanted) : lowerName == wanted;
}

enum class Tier { NameAndRange, RangeAlone, UsersChoice, Name };

// The order of the rules that match: the lower, the earlier.
using RuleOrder = std::tuple<Tier, bool, int, bool, std::size_t, std::string, std::size_t>;

RuleOrder RankOf(Tier tier, const Place& place, std::string lowerRule, std::size_t given) {
    const bool pattern = IsPattern(place.network);
    return {tier,
            place.range && place.range->first.ipv6,
            place.range ? -place.range->prefixLength : 0,
            pattern,
            pattern ? SIZE_MAX - FixedCharacters(place.network) : 0,
            std::move(lowerRule),
            given};
}

}  // namespace

std::optional<platform::IpAddress> ParseAddress(std::string_view text) {
    if (text.find(':') != npos) return ReadIpv6(text);
    std::vector<std::uint8_t> bytes;
    if (!ReadIpv4(text, bytes)) return std::nullopt;
    platform::IpAddress ip{false, {}};
    std::copy(bytes.begin(), bytes.end(), ip.bytes.begin());
    return ip;
}

std::string AddressText(const platform::IpAddress& address) {
    std::string text;
    if (!address.ipv6) {
        for (int i = 0; i < 4; ++i) text += (i ? "." : "") + std::to_string(address.bytes[i]);
        return text;
    }
    std::array<int, 8> groups{};
    for (std::size_t i = 0; i < groups.size(); ++i) groups[i] = address.bytes[2 * i] << 8 | address.bytes[2 * i + 1];
    int gap = -1, gapLength = 1;  // a single zero group stays
    for (int i = 0, run = 0; i < 8; ++i) {
        run = groups[i] == 0 ? run + 1 : 0;
        if (run > gapLength) gap = i - run + 1, gapLength = run;
    }
    constexpr char kDigits[] = "0123456789abcdef";
    for (int i = 0; i < 8; ++i) {
        if (i == gap) {
            text += "::";
            i += gapLength - 1;
            continue;
        }
        if (!text.empty() && text.back() != ':') text += ':';
        bool leading = true;
        for (int shift = 12; shift >= 0; shift -= 4) {
            const int digit = groups[i] >> shift & 0xF;
            if (digit == 0 && leading && shift > 0) continue;
            leading = false;
            text += kDigits[digit];
        }
    }
    return text;
}

std::optional<AddressRange> ParseAddressRange(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == npos) return std::nullopt;
    auto first = ParseAddress(text.substr(0, slash));
    const auto length = Decimal(text.substr(slash + 1), 3);
    if (!first || !length || *length > (first->ipv6 ? 128 : 32)) return std::nullopt;
    first->bytes = Prefix(first->bytes, *length);
    return AddressRange{*first, *length};
}

bool InRange(const AddressRange& range, const platform::IpAddress& address) {
    return address.ipv6 == range.first.ipv6 && Prefix(address.bytes, range.prefixLength) == range.first.bytes;
}

Place ParsePlace(std::string_view ruleName) {
    const std::string_view name = text::TrimBlanks(ruleName);
    const std::size_t blank = name.rfind(' ');
    auto range = ParseAddressRange(blank == npos ? name : name.substr(blank + 1));
    if (!range) return {text::ToLower(name), std::nullopt};
    return {text::ToLower(text::TrimBlanks(name.substr(0, blank == npos ? 0 : blank))), range};
}

bool NamesAddresses(std::string_view ruleName) { return ParsePlace(ruleName).range.has_value(); }

const NetworkChoice* DecidingRule(const platform::Network& network, std::span<const NetworkChoice> user,
                                  std::span<const NetworkChoice> administrator) {
    const std::string name = text::ToLower(network.name);
    const NetworkChoice* deciding = nullptr;
    std::optional<RuleOrder> best;
    const auto consider = [&](const NetworkChoice& rule, RuleOrder rank) {
        if (!best || rank < *best) {
            best = std::move(rank);
            deciding = &rule;
        }
    };
    for (std::size_t i = 0; i < administrator.size(); ++i) {
        const Place place = ParsePlace(administrator[i].network);
        if (!place.network.empty() && !NameMatches(place.network, name)) continue;
        if (place.range && !HasAddressIn(network, *place.range)) continue;
        const Tier tier = !place.range ? Tier::Name : place.network.empty() ? Tier::RangeAlone : Tier::NameAndRange;
        consider(administrator[i], RankOf(tier, place, text::ToLower(administrator[i].network), i));
    }
    // The user's own choices name their network exactly.
    for (std::size_t i = 0; i < user.size(); ++i) {
        const std::string chosen = text::ToLower(user[i].network);
        if (chosen == name) consider(user[i], RankOf(Tier::UsersChoice, {}, chosen, i));
    }
    return deciding;
}

}  // namespace quillon::networks
