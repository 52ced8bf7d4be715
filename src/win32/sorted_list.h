#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform::win32 {

// The place the system's sorted list box gives a new entry among entries it
// sorted itself: a binary search by the user's locale, ignoring letter case,
// that stops at the first equal entry it meets and puts the new one in
// front of it.
std::size_t SortedListPosition(const std::vector<std::string>& entries, std::string_view text);

}  // namespace quillon::platform::win32
