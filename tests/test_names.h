#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace quillon::testing_names {

// A readable GoogleTest parameter name from a case's text: its letters and
// digits, words joined by underscores, led by the case's index so that
// names stay unique.
inline std::string FromText(std::string_view text, std::size_t index) {
    std::string name = std::to_string(index);
    bool gap = true;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            if (gap) name += '_';
            name += c;
            gap = false;
        } else {
            gap = true;
        }
    }
    return name;
}

}  // namespace quillon::testing_names
