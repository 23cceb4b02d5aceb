// The value a registry read yields and a write takes, and its conversions.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "toolkit/platform.h"

namespace registry {

using Bytes = std::vector<std::uint8_t>;

// Empty, text, a 32-bit or 16-bit integer, or bytes; the index of the alternative is its kind.
using Variant = std::variant<std::monostate, std::u16string, std::int32_t, std::int16_t, Bytes>;

// Empty is "", a number its decimal digits, bytes their UTF-16LE code units (an odd last byte
// is a unit of its own). Never fails.
std::u16string ToText(const Variant& value);

// Empty is 0; text is read the platform's way (rounded half to even); text that is not a
// number (empty text included) and bytes raise error 13; a number out of range raises error 6.
std::int16_t ToInt16(const Variant& value, toolkit::Platform& platform);
std::int32_t ToInt32(const Variant& value, toolkit::Platform& platform);

}  // namespace registry
