// The Variant conversions on any value: text never fails, the integer conversions fail only
// with type mismatch (13) or overflow (6), and the 16-bit, 32-bit and 64-bit readings of one
// value agree with each other.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "fuzz/input_reader.h"
#include "fuzz/require.h"
#include "registry/variant.h"
#include "toolkit/error.h"

namespace {

using registry::Variant;

// A conversion's result: a number, or the error number it raised.
struct Outcome {
    std::int32_t error = 0;
    std::int64_t value = 0;
    bool operator==(const Outcome&) const = default;
};

template <typename Convert>
Outcome Try(Convert&& convert) {
    try {
        return {0, static_cast<std::int64_t>(convert())};
    } catch (const toolkit::Error& error) {
        fuzz::Require(
            error.number() == toolkit::kOverflow || error.number() == toolkit::kTypeMismatch,
            "a conversion raised error " + std::to_string(error.number()));
        return {error.number(), 0};
    }
}

// What a value that reads as `wide` gives in [min, max].
Outcome Narrowed(const Outcome& wide, std::int64_t min, std::int64_t max) {
    if (wide.error != 0) {
        return wide;
    }
    if (wide.value < min || wide.value > max) {
        return {toolkit::kOverflow, 0};
    }
    return wide;
}

// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text) {
    constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (next & 0x3F);
        }
        if (code < kShortest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

Variant MakeVariant(fuzz::InputReader& input) {
    switch (input.Pick(5)) {
        case 0:
            return {};
        case 1: {
            const auto rest = input.Rest();
            return std::string(rest.begin(), rest.end());
        }
        case 2:
            return static_cast<std::int32_t>(input.Uint32());
        case 3:
            return static_cast<std::int16_t>(input.Uint32() & 0xFFFF);
        default:
            return input.Rest();
    }
}

void CheckText(const std::string& text, const Outcome& as16, const Outcome& as32) {
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    const Outcome as64 = Try([&] { return registry::ParseInteger(text, kMin, kMax); });
    fuzz::Require(Try([&] { return registry::ParseInteger(text, INT32_MIN, INT32_MAX); }) == as32,
                  "ToInt32 and ParseInteger disagree on one text");
    // Radix text is a bit pattern of the target's width, so only decimal text narrows.
    if (text.find('&') == std::string::npos) {
        fuzz::Require(Narrowed(as64, INT32_MIN, INT32_MAX) == as32,
                      "the 32-bit reading is not the 64-bit one narrowed");
        fuzz::Require(Narrowed(as32, INT16_MIN, INT16_MAX) == as16,
                      "the 16-bit reading is not the 32-bit one narrowed");
    } else {
        fuzz::Require(
            (as16.error == toolkit::kTypeMismatch) == (as32.error == toolkit::kTypeMismatch),
            "radix text is a number at one width and not at the other");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(data, size);
    const Variant value = MakeVariant(input);

    const std::string text = registry::ToText(value);
    const Outcome as16 = Try([&] { return registry::ToInt16(value); });
    const Outcome as32 = Try([&] { return registry::ToInt32(value); });
    fuzz::Require(
        registry::ToText(value) == text && Try([&] { return registry::ToInt16(value); }) == as16,
        "a conversion gave two answers for one value");

    switch (value.kind()) {
        case Variant::Kind::Empty:
            fuzz::Require(text.empty() && as16 == Outcome{} && as32 == Outcome{},
                          "Empty is not the empty text and 0");
            break;
        case Variant::Kind::Text:
            fuzz::Require(text == value.text(), "text did not convert to itself");
            CheckText(text, as16, as32);
            break;
        case Variant::Kind::Int32:
            fuzz::Require(text == std::to_string(value.int32()), "a 32-bit number's digits");
            fuzz::Require(as32 == Outcome{0, value.int32()}, "a 32-bit number changed");
            fuzz::Require(as16 == Narrowed(as32, INT16_MIN, INT16_MAX),
                          "a 32-bit number narrowed wrongly");
            break;
        case Variant::Kind::Int16:
            fuzz::Require(text == std::to_string(value.int16()), "a 16-bit number's digits");
            fuzz::Require(as16 == Outcome{0, value.int16()} && as32 == as16,
                          "a 16-bit number changed");
            break;
        case Variant::Kind::Bytes:
            fuzz::Require(
                as16.error == toolkit::kTypeMismatch && as32.error == toolkit::kTypeMismatch,
                "bytes converted to a number");
            fuzz::Require(IsValidUtf8(text), "bytes as text are not valid UTF-8");
            fuzz::Require(text.size() <= 3 * ((value.bytes().size() + 1) / 2),
                          "bytes as text are longer than their code units allow");
            break;
    }

    // A number's digits read back as that number.
    if (as32.error == 0) {
        const Variant digits(std::to_string(as32.value));
        fuzz::Require(Try([&] { return registry::ToInt32(digits); }) == as32,
                      "a number's digits do not read back as the number");
    }
    return 0;
}
