// Variant conversions: text for display, 16/32-bit integers for settings, with the platform's
// errors 13 and 6.
#include <gtest/gtest.h>

#include <string>

#include "registry/variant.h"
#include "tests/registry_conversion_cases.h"
#include "toolkit/error.h"

namespace {

using registry::Bytes;
using registry::Variant;
using registry_test::Is;
using registry_test::kMismatch;
using registry_test::kOverflow;
using registry_test::Outcome;

template <typename Fn>
Outcome Convert(Fn&& convert) {
    try {
        return Is(convert());
    } catch (const toolkit::Error& error) {
        return {error.number(), 0};
    }
}

TEST(NumericText, ConvertsAsTheTableSays) {
    for (const auto& row : registry_test::kConversionCases) {
        const Variant text{std::string(row.text)};
        EXPECT_EQ(Convert([&] { return registry::ToInt16(text); }), row.int16)
            << Describe(text) << " as int16";
        EXPECT_EQ(Convert([&] { return registry::ToInt32(text); }), row.int32)
            << Describe(text) << " as int32";
    }
}

TEST(NumericText, ParseIntegerHonoursAnyRange) {
    const struct {
        const char* text;
        std::int64_t min, max;
        Outcome expected;
    } rows[] = {
        {"100", 0, 100, Is(100)},
        {"101", 0, 100, kOverflow},
        {"-1", 0, 100, kOverflow},
        {"-9223372036854775808", INT64_MIN, INT64_MAX, Is(INT64_MIN)},
        {"9223372036854775808", INT64_MIN, INT64_MAX, kOverflow},
        {"9999999999999999999.5", INT64_MIN, INT64_MAX, kOverflow},
        {"&HFFFFFFFFFFFFFFFF", INT64_MIN, INT64_MAX, Is(-1)},
        {"&H10000000000000000", INT64_MIN, INT64_MAX, kOverflow},
        {"&O2000000000000000000000", INT64_MIN, INT64_MAX, kOverflow},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Convert([&] { return registry::ParseInteger(row.text, row.min, row.max); }),
                  row.expected)
            << row.text;
    }
}

// Huge inputs are read in one pass, without undefined behaviour; the sanitizer build checks.
TEST(NumericText, HugeTextIsReadExactly) {
    const std::string zeros(1 << 20, '0');
    const struct {
        std::string text;
        Outcome expected;
    } rows[] = {
        {std::string(1 << 20, '7'), kOverflow},    {zeros + "42", Is(42)},
        {"2." + std::string(1 << 20, '5'), Is(3)}, {"2.5" + zeros, Is(2)},
        {"1" + zeros + "e-1048576", Is(1)},        {"&H" + zeros + "7F", Is(127)},
        {std::string(1 << 20, ' ') + "5", Is(5)},  {"1e" + std::string(1 << 20, '9'), kOverflow},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Convert([&] { return registry::ToInt32(Variant(row.text)); }), row.expected)
            << row.text.substr(0, 40);
    }
}

TEST(VariantToInteger, NonTextValues) {
    const struct {
        Variant value;
        Outcome int16;
        Outcome int32;
    } rows[] = {
        {Variant(), Is(0), Is(0)},
        {Variant(std::int16_t{-32768}), Is(-32768), Is(-32768)},
        {Variant(std::int32_t{32767}), Is(32767), Is(32767)},
        {Variant(std::int32_t{32768}), kOverflow, Is(32768)},
        {Variant(std::int32_t{INT32_MIN}), kOverflow, Is(INT32_MIN)},
        {Variant(Bytes{'1', 0}), kMismatch, kMismatch},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Convert([&] { return registry::ToInt16(row.value); }), row.int16)
            << Describe(row.value);
        EXPECT_EQ(Convert([&] { return registry::ToInt32(row.value); }), row.int32)
            << Describe(row.value);
    }
}

TEST(VariantToText, EveryKind) {
    const struct {
        Variant value;
        std::string text;
    } rows[] = {
        {Variant(), ""},
        {Variant(std::string("a\0b", 3)), std::string("a\0b", 3)},
        {Variant(std::int32_t{-2147483647 - 1}), "-2147483648"},
        {Variant(std::int16_t{-32768}), "-32768"},
        {Variant(Bytes{}), ""},
        {Variant(Bytes{'h', 0, 'i'}), "hi"},                           // an odd last byte
        {Variant(Bytes{0xFF}), "\xc3\xbf"},                            // is a unit of its own
        {Variant(Bytes{0xAC, 0x20}), "\xe2\x82\xac"},                  // U+20AC
        {Variant(Bytes{0x3D, 0xD8, 0x00, 0xDE}), "\xf0\x9f\x98\x80"},  // U+1F600, a pair
        {Variant(Bytes{0x3D, 0xD8}), "\xef\xbf\xbd"},                  // a lone high surrogate
        {Variant(Bytes{0x00, 0xDE, 'a', 0}),
         "\xef\xbf\xbd"
         "a"},  // a lone low surrogate
        {Variant(Bytes{0x00, 0x00}), std::string(1, '\0')},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(registry::ToText(row.value), row.text) << Describe(row.value);
    }
}

}  // namespace
