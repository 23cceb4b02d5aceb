#include "registry/variant.h"

#include <cstdio>

#include "toolkit/error.h"

namespace registry {

namespace {

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Bytes read as text hold UTF-16LE code units; a surrogate without its partner has no UTF-8
// form and becomes U+FFFD.
std::string TextFromUtf16Bytes(const Bytes& bytes) {
    std::vector<std::uint32_t> units;
    units.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const std::uint32_t low = bytes[i];
        const std::uint32_t high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        units.push_back(low | high << 8);
    }
    std::string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(text, 0xFFFD);
        } else {
            AppendUtf8(text, unit);
        }
    }
    return text;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
}

std::int64_t ToInteger(const Variant& value, std::int64_t min, std::int64_t max) {
    std::int64_t number = 0;
    switch (value.kind()) {
        case Variant::Kind::Empty:
            return 0;
        case Variant::Kind::Text:
            return ParseInteger(value.text(), min, max);
        case Variant::Kind::Int32:
            number = value.int32();
            break;
        case Variant::Kind::Int16:
            number = value.int16();
            break;
        case Variant::Kind::Bytes:
            throw toolkit::Error(toolkit::kTypeMismatch);
    }
    if (number < min || number > max) {
        throw toolkit::Error(toolkit::kOverflow);
    }
    return number;
}

}  // namespace

std::string Describe(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
            return "Empty";
        case Variant::Kind::Text:
            return Quoted(value.text());
        case Variant::Kind::Int32:
            return std::to_string(value.int32());
        case Variant::Kind::Int16:
            return std::to_string(value.int16()) + "%";
        case Variant::Kind::Bytes: {
            std::string out = "bytes{";
            for (std::size_t i = 0; i < value.bytes().size(); ++i) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%02x", value.bytes()[i]);
                if (i > 0) {
                    out.push_back(' ');
                }
                out += hex;
            }
            return out + "}";
        }
    }
    return "?";
}

std::string ToText(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
            return {};
        case Variant::Kind::Text:
            return value.text();
        case Variant::Kind::Int32:
            return std::to_string(value.int32());
        case Variant::Kind::Int16:
            return std::to_string(value.int16());
        case Variant::Kind::Bytes:
            return TextFromUtf16Bytes(value.bytes());
    }
    return {};
}

std::int16_t ToInt16(const Variant& value) {
    return static_cast<std::int16_t>(ToInteger(value, INT16_MIN, INT16_MAX));
}

std::int32_t ToInt32(const Variant& value) {
    return static_cast<std::int32_t>(ToInteger(value, INT32_MIN, INT32_MAX));
}

}  // namespace registry
