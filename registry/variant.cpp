#include "registry/variant.h"

#include "toolkit/error.h"

namespace registry {

std::string Describe(const Variant&) {
    return "?";
}
std::string ToText(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Text:
            return value.text();
        case Variant::Kind::Int32:
            return std::to_string(value.int32());
        case Variant::Kind::Int16:
            return std::to_string(value.int16());
        default:
            return {};
    }
}
std::int64_t ParseInteger(const std::string&, std::int64_t, std::int64_t) {
    throw toolkit::Error(toolkit::kTypeMismatch);
}
std::int16_t ToInt16(const Variant&) {
    throw toolkit::Error(toolkit::kTypeMismatch);
}
std::int32_t ToInt32(const Variant&) {
    throw toolkit::Error(toolkit::kTypeMismatch);
}

}  // namespace registry
