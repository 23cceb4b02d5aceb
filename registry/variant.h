// The value a registry read yields and a write takes, and its conversions.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace registry {

using Bytes = std::vector<std::uint8_t>;

// Empty, text, a 32-bit or 16-bit integer, or bytes; the index of the alternative is its kind.
using Variant = std::variant<std::monostate, std::string, std::int32_t, std::int16_t, Bytes>;

// Empty is "", a number its decimal digits, bytes their UTF-16LE code units (an odd last byte
// is a unit of its own). Never fails.
std::string ToText(const Variant& value);

// Empty is 0; numeric text is parsed and rounded half to even; text that is not a number
// (empty text included) and bytes raise error 13; a number out of range raises error 6.
std::int16_t ToInt16(const Variant& value);
std::int32_t ToInt32(const Variant& value);

// The number in `text` as the platform reads numeric text: blanks around it, one sign (before
// or after) or parentheses, a "$", digits with "," separators, a decimal point, an exponent,
// or an &H / &O bit pattern of the target's width (&HFFFF is -1 in 16 bits). Rounded half to
// even on the decimal digits. Error 13 when not a number, 6 outside [min, max].
std::int64_t ParseInteger(std::string_view text, std::int64_t min, std::int64_t max);

}  // namespace registry
