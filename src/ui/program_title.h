#pragma once

#include <string_view>

namespace quillon::ui {

// The caption of message boxes that have no title of their own.
inline constexpr std::string_view kProgramTitle = "Quillon";

}  // namespace quillon::ui
