#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quillon::platform {

// The legacy per-user profile: sections of key/value texts, names compared
// without regard to letter case. Abstract so that tests can run whole
// programs against an in-memory profile; the real one is the Win32 profile.
class Profile {
public:
    virtual ~Profile() = default;

    // GetProfileStringA. With no key, fills the buffer with the section's key
    // names in profile order, each ended by a NUL, one more NUL after the
    // last, and leaves the rest of the buffer as it was; with a key, copies
    // its value (or the default) NUL-terminated. Returns the number of
    // characters copied, not counting the final NUL; a key list that does
    // not fit returns buffer.size() - 2, a value that does not fit
    // buffer.size() - 1.
    virtual std::size_t GetString(std::string_view section,
                                  std::optional<std::string_view> key,
                                  std::string_view defaultValue,
                                  std::span<char> buffer) = 0;

    // WriteProfileStringA: 0 when the value was stored, else Windows' error
    // code.
    virtual std::uint32_t WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    // Tells every top-level window that a section changed (WM_SETTINGCHANGE
    // with the section name). Waits at most kBroadcastWaitSeconds for all of
    // them together, however many are busy or hung: a log-on run must not
    // wait on the other programs starting beside it.
    virtual void BroadcastChange(std::string_view section) = 0;
    static constexpr double kBroadcastWaitSeconds = 2.0;
};

}  // namespace quillon::platform
