#include "registry/variant.h"

#include <algorithm>

#include "toolkit/error.h"
#include "toolkit/text.h"

namespace registry {

namespace {

[[noreturn]] void Fail(std::int32_t number) {
    throw toolkit::Error{number};
}

std::int64_t ToInteger(const Variant& value, std::int64_t min, std::int64_t max) {
    std::int64_t number = 0;
    if (const auto* text = std::get_if<std::string>(&value)) {
        return ParseInteger(*text, min, max);
    } else if (const auto* int32 = std::get_if<std::int32_t>(&value)) {
        number = *int32;
    } else if (const auto* int16 = std::get_if<std::int16_t>(&value)) {
        number = *int16;
    } else if (std::holds_alternative<Bytes>(value)) {
        Fail(toolkit::kTypeMismatch);
    }
    if (number < min || number > max) {
        Fail(toolkit::kOverflow);
    }
    return number;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the marks around a number: blanks, one sign, parentheses, one "$" on each side.
struct Affixes {
    int signs = 0;
    bool minus = false;
    int open = 0;
    int close = 0;
    int dollars = 0;

    void Scan(std::string_view text, std::size_t& i, bool leading) {
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == ' ' || (c >= '\t' && c <= '\r')) {
                continue;
            }
            if ((c == '+' || c == '-') && ++signs == 1) {
                minus = c == '-';
            } else if (c == '(' && leading && open++ == 0) {
            } else if (c == ')' && !leading && open == 1 && close++ == 0) {
            } else if (c == '$' && ++dollars <= (leading ? 1 : 2)) {
            } else {
                return;
            }
        }
    }
};

// The magnitude of the decimal number at text[i], rounded half to even, capped at 10^19.
std::uint64_t ScanDecimal(std::string_view text, std::size_t& i) {
    std::string mantissa;
    std::int64_t integerDigits = 0;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            mantissa.push_back(c);
            integerDigits += afterPoint ? 0 : 1;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c != ',') {
            break;
        }
    }
    if (mantissa.empty()) {
        Fail(toolkit::kTypeMismatch);
    }
    const auto zeros = std::min(mantissa.find_first_not_of('0'), mantissa.size());
    const std::string digits = mantissa.substr(zeros);
    std::int64_t pointAt = integerDigits - static_cast<std::int64_t>(zeros);
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        bool negative = false;
        if (++i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i++] == '-';
        }
        if (i >= text.size() || !IsDigit(text[i])) {
            Fail(toolkit::kTypeMismatch);
        }
        std::int64_t exponent = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            exponent = std::min<std::int64_t>(exponent * 10 + (text[i] - '0'), 1'000'000'000);
        }
        pointAt += negative ? -exponent : exponent;
    }
    if (digits.empty() || pointAt < 0) {
        return 0;
    }
    if (pointAt > 19) {
        return UINT64_MAX;
    }
    std::uint64_t magnitude = 0;
    for (std::int64_t d = 0; d < pointAt; ++d) {
        magnitude = magnitude * 10 + (d < std::ssize(digits) ? digits[d] - '0' : 0);
    }
    if (pointAt < std::ssize(digits)) {
        const char first = digits[pointAt];
        const bool beyondHalf = digits.find_first_not_of('0', pointAt + 1) != std::string::npos;
        if (first > '5' || (first == '5' && (beyondHalf || magnitude % 2 == 1))) {
            ++magnitude;
        }
    }
    return magnitude;
}

}  // namespace

std::string ToText(const Variant& value) {
    switch (value.index()) {
        case 1:
            return std::get<std::string>(value);
        case 2:
            return std::to_string(std::get<std::int32_t>(value));
        case 3:
            return std::to_string(std::get<std::int16_t>(value));
        case 4: {
            const Bytes& bytes = std::get<Bytes>(value);
            std::u16string units;
            for (std::size_t i = 0; i < bytes.size(); i += 2) {
                units.push_back(static_cast<char16_t>(
                    bytes[i] | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0)));
            }
            return toolkit::ToUtf8(units);
        }
        default:
            return {};
    }
}

std::int16_t ToInt16(const Variant& value) {
    return static_cast<std::int16_t>(ToInteger(value, INT16_MIN, INT16_MAX));
}

std::int32_t ToInt32(const Variant& value) {
    return static_cast<std::int32_t>(ToInteger(value, INT32_MIN, INT32_MAX));
}

std::int64_t ParseInteger(std::string_view text, std::int64_t min, std::int64_t max) {
    std::size_t i = 0;
    Affixes affixes;
    affixes.Scan(text, i, true);
    const bool radix = i + 1 < text.size() && text[i] == '&' &&
                       std::string_view("hHoO").find(text[i + 1]) != std::string_view::npos;
    std::uint64_t magnitude = 0;
    bool tooLarge = false;
    if (radix) {
        const unsigned shift = text[i + 1] == 'h' || text[i + 1] == 'H' ? 4 : 3;
        const std::size_t start = i += 2;
        for (; i < text.size(); ++i) {
            const char c = static_cast<char>(text[i] | 0x20);
            const int digit = IsDigit(text[i])       ? text[i] - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : 99;
            if (digit >= (1 << shift)) {
                break;
            }
            tooLarge = tooLarge || (magnitude >> (64 - shift)) != 0;
            magnitude = magnitude << shift | static_cast<unsigned>(digit);
        }
        if (i == start) {
            Fail(toolkit::kTypeMismatch);
        }
    } else {
        magnitude = ScanDecimal(text, i);
        tooLarge = magnitude == UINT64_MAX;
    }
    affixes.Scan(text, i, false);
    const bool negative = affixes.minus || affixes.open > 0;
    if (i != text.size() || affixes.open != affixes.close || (affixes.minus && affixes.open) ||
        (radix && (negative || affixes.dollars > 0))) {
        Fail(toolkit::kTypeMismatch);
    }
    if (radix) {
        // A bit pattern of the target's width: the top half of the range reads as negative.
        const auto span = static_cast<std::uint64_t>(max) - static_cast<std::uint64_t>(min);
        if (tooLarge || magnitude > span) {
            Fail(toolkit::kOverflow);
        }
        return magnitude <= static_cast<std::uint64_t>(max)
                   ? static_cast<std::int64_t>(magnitude)
                   : static_cast<std::int64_t>(magnitude - span - 1);
    }
    if (tooLarge || magnitude > static_cast<std::uint64_t>(INT64_MAX)) {
        Fail(toolkit::kOverflow);
    }
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < min || value > max) {
        Fail(toolkit::kOverflow);
    }
    return value;
}

}  // namespace registry
