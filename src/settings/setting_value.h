#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::settings {

// The number at the start of a stored text. Blanks, tabs and line feeds are
// skipped wherever they stand; then a decimal number (sign, digits,
// fraction, exponent) or, after "&H" / "&O", a hexadecimal or octal one is
// read up to the first other character. It is rounded to the nearest
// integer, halves to the even one. Text without a number at its start gives
// 0, and so does a number outside the signed 32-bit range, which the
// program never stores: such a value then behaves as if nothing were stored.
std::int32_t ParseSettingValue(std::string_view text);

// The decimal digits, with "-" before a negative number.
std::string FormatSettingValue(std::int32_t value);

}  // namespace quillon::settings
