#include "registry/variant.h"

#include "toolkit/error.h"
#include "toolkit/text.h"

namespace registry {

namespace {

std::int32_t ToInteger(const Variant& value, toolkit::Platform& platform, bool int16) {
    std::int64_t number = 0;
    if (const auto* text = std::get_if<std::u16string>(&value)) {
        return platform.NumberFromText(*text, int16);
    } else if (const auto* int32 = std::get_if<std::int32_t>(&value)) {
        number = *int32;
    } else if (const auto* small = std::get_if<std::int16_t>(&value)) {
        number = *small;
    } else if (std::holds_alternative<Bytes>(value)) {
        throw toolkit::Error{toolkit::kTypeMismatch};
    }
    if (int16 && (number < INT16_MIN || number > INT16_MAX)) {
        throw toolkit::Error{toolkit::kOverflow};
    }
    return static_cast<std::int32_t>(number);
}

}  // namespace

std::u16string ToText(const Variant& value) {
    switch (value.index()) {
        case 1:
            return std::get<std::u16string>(value);
        case 2:
            return toolkit::Decimal(std::get<std::int32_t>(value));
        case 3:
            return toolkit::Decimal(std::get<std::int16_t>(value));
        case 4: {
            const Bytes& bytes = std::get<Bytes>(value);
            std::u16string units;
            for (std::size_t i = 0; i < bytes.size(); i += 2) {
                units.push_back(static_cast<char16_t>(
                    bytes[i] | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0)));
            }
            return units;
        }
        default:
            return {};
    }
}

std::int16_t ToInt16(const Variant& value, toolkit::Platform& platform) {
    return static_cast<std::int16_t>(ToInteger(value, platform, true));
}

std::int32_t ToInt32(const Variant& value, toolkit::Platform& platform) {
    return ToInteger(value, platform, false);
}

}  // namespace registry
