#include "settings/setting_value.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace quillon::settings {
namespace {

// Hands out the characters of a text with the blanks left out.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) { Skip(); }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Next() {
        ++pos_;
        Skip();
    }

private:
    void Skip() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int base) {
    int value = base;
    if (IsDigit(c)) value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

constexpr double kLowest = -2147483648.0;
constexpr double kHighest = 2147483647.0;

std::int32_t FromWhole(double value) {
    if (value < kLowest || value > kHighest) return 0;
    return static_cast<std::int32_t>(value);
}

std::int32_t ReadRadix(Reader& reader, int base) {
    double value = 0;
    bool any = false;
    for (; !reader.AtEnd() && DigitValue(reader.Peek(), base) >= 0; reader.Next()) {
        value = value * base + DigitValue(reader.Peek(), base);
        any = true;
        // Past the range already: no later digit can bring it back.
        if (value > kHighest) return 0;
    }
    return any ? FromWhole(value) : 0;
}

double RoundHalfToEven(double value) {
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest > 0.5) return below + 1;
    if (rest < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1;
}

std::int32_t ReadDecimal(Reader& reader) {
    std::string number;
    if (reader.Peek() == '+' || reader.Peek() == '-') {
        if (reader.Peek() == '-') number += '-';
        reader.Next();
    }
    std::size_t digits = 0;
    for (; IsDigit(reader.Peek()); reader.Next(), ++digits) number += reader.Peek();
    if (reader.Peek() == '.') {
        number += '.';
        reader.Next();
        for (; IsDigit(reader.Peek()); reader.Next(), ++digits) number += reader.Peek();
    }
    if (digits == 0) return 0;
    if (reader.Peek() == 'e' || reader.Peek() == 'E') {
        reader.Next();
        std::string exponent = "e";
        if (reader.Peek() == '+' || reader.Peek() == '-') {
            exponent += reader.Peek();
            reader.Next();
        }
        bool any = false;
        for (; IsDigit(reader.Peek()); reader.Next(), any = true) exponent += reader.Peek();
        if (any) number += exponent;
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value);
    // Too large gives 0 by the range rule; too small is 0 anyway.
    if (error != std::errc{}) return 0;
    return FromWhole(RoundHalfToEven(value));
}

}  // namespace

std::int32_t ParseSettingValue(std::string_view text) {
    Reader reader(text);
    if (reader.Peek() != '&') return ReadDecimal(reader);
    reader.Next();
    const char kind = reader.Peek();
    reader.Next();
    if (kind == 'h' || kind == 'H') return ReadRadix(reader, 16);
    if (kind == 'o' || kind == 'O') return ReadRadix(reader, 8);
    return 0;
}

std::string FormatSettingValue(std::int32_t value) { return std::to_string(value); }

}  // namespace quillon::settings
