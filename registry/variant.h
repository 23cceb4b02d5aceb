// The value a registry read yields and a write takes, and its conversions.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace registry {

using Bytes = std::vector<std::uint8_t>;

class Variant {
public:
    enum class Kind { Empty, Text, Int32, Int16, Bytes };

    Variant() = default;
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::int32_t number) : value_(number) {}
    Variant(std::int16_t number) : value_(number) {}
    Variant(Bytes bytes) : value_(std::move(bytes)) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }

    // The held alternative; only valid for the matching kind.
    const std::string& text() const { return std::get<std::string>(value_); }
    std::int32_t int32() const { return std::get<std::int32_t>(value_); }
    std::int16_t int16() const { return std::get<std::int16_t>(value_); }
    const Bytes& bytes() const { return std::get<Bytes>(value_); }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::string, std::int32_t, std::int16_t, Bytes> value_;
};

// A readable form for test messages: Empty, "text", 42, 42%, bytes{01 02}.
std::string Describe(const Variant& value);

// Text: Empty is "", a number its decimal digits, bytes their UTF-16LE code units (an odd last
// byte is a unit of its own). Never fails.
std::string ToText(const Variant& value);

// A 16-bit integer: Empty is 0; numeric text is parsed and rounded half to even; text that is
// not a number (empty text included) and bytes raise error 13; out of range raises error 6.
std::int16_t ToInt16(const Variant& value);

// A 32-bit integer, by the same rules as ToInt16.
std::int32_t ToInt32(const Variant& value);

// The number in `text` rounded half to even, as the platform parses numeric text: blanks
// around it, a sign, digits with thousands separators, a decimal point, an exponent, and
// &H / &O radix prefixes. Raises error 13 when the text is not a number and error 6 when it
// lies outside [min, max].
std::int64_t ParseInteger(const std::string& text, std::int64_t min, std::int64_t max);

}  // namespace registry
