// Variant conversions: text for display, 16/32-bit integers for settings, with the platform's
// errors 13 and 6.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "registry/variant.h"
#include "tests/registry_conversion_cases.h"
#include "toolkit/error.h"

namespace {

using registry::Bytes;
using registry::Variant;
using registry_test::kMismatch;
using registry_test::kOverflow;
using registry_test::Outcome;

template <typename Fn>
Outcome Convert(Fn&& convert) {
    try {
        return registry_test::Is(convert());
    } catch (const toolkit::Error& error) {
        return {error.number(), 0};
    }
}

TEST(NumericText, ConvertsAsTheTableSays) {
    for (const auto& row : registry_test::kConversionCases) {
        const Variant text{std::string(row.text)};
        const auto int16 = Convert([&] { return registry::ToInt16(text); });
        const auto int32 = Convert([&] { return registry::ToInt32(text); });
        EXPECT_EQ(int16, row.int16) << Describe(text) << " as int16";
        EXPECT_EQ(int32, row.int32) << Describe(text) << " as int32";
    }
}

TEST(NumericText, ParseIntegerHonoursAnyRange) {
    struct Row {
        const char* text;
        std::int64_t min, max;
        Outcome expected;
    };
    const Row rows[] = {
        {"100", 0, 100, registry_test::Is(100)},
        {"101", 0, 100, kOverflow},
        {"-1", 0, 100, kOverflow},
        {"9223372036854775807", INT64_MIN, INT64_MAX, registry_test::Is(INT64_MAX)},
        {"-9223372036854775808", INT64_MIN, INT64_MAX, registry_test::Is(INT64_MIN)},
        {"9223372036854775808", INT64_MIN, INT64_MAX, kOverflow},
        {"-9223372036854775809", INT64_MIN, INT64_MAX, kOverflow},
        {"9999999999999999999.5", INT64_MIN, INT64_MAX, kOverflow},
        {"&HFFFFFFFFFFFFFFFF", INT64_MIN, INT64_MAX, registry_test::Is(-1)},
        {"&H10000000000000000", INT64_MIN, INT64_MAX, kOverflow},
        {"&O1777777777777777777777", INT64_MIN, INT64_MAX, registry_test::Is(-1)},
        {"&O2000000000000000000000", INT64_MIN, INT64_MAX, kOverflow},
        {"&HFF", 0, 255, registry_test::Is(255)},
    };
    for (const auto& row : rows) {
        const auto got =
            Convert([&] { return registry::ParseInteger(row.text, row.min, row.max); });
        EXPECT_EQ(got, row.expected) << row.text;
    }
}

// Huge inputs are read in one pass, without undefined behaviour; the sanitizer build checks.
TEST(NumericText, HugeTextIsReadExactly) {
    const std::size_t mebibyte = 1 << 20;
    struct Row {
        std::string text;
        Outcome expected;
    };
    const Row rows[] = {
        {std::string(mebibyte, '7'), kOverflow},
        {std::string(mebibyte, '0') + "42", registry_test::Is(42)},
        {"0." + std::string(mebibyte, '0') + "9", registry_test::Is(0)},
        {"2." + std::string(mebibyte, '5'), registry_test::Is(3)},
        {"2.5" + std::string(mebibyte, '0'), registry_test::Is(2)},
        {"1" + std::string(mebibyte, '0') + "e-1048576", registry_test::Is(1)},
        {"0." + std::string(mebibyte, '0') + "1e1048577", registry_test::Is(1)},
        {"&H" + std::string(mebibyte, '0') + "7F", registry_test::Is(127)},
        {"&H" + std::string(mebibyte, 'F'), kOverflow},
        {std::string(mebibyte, ' ') + "5" + std::string(mebibyte, ' '), registry_test::Is(5)},
        {std::string(mebibyte, ',') + "5", kMismatch},
        {"1e" + std::string(mebibyte, '9'), kOverflow},
    };
    for (const auto& row : rows) {
        const auto got = Convert([&] { return registry::ToInt32(Variant(row.text)); });
        EXPECT_EQ(got, row.expected) << row.text.substr(0, 40);
    }
}

TEST(VariantToInteger, NonTextValues) {
    struct Row {
        Variant value;
        Outcome int16;
        Outcome int32;
    };
    const Row rows[] = {
        {Variant(), registry_test::Is(0), registry_test::Is(0)},
        {Variant(std::int16_t{-32768}), registry_test::Is(-32768), registry_test::Is(-32768)},
        {Variant(std::int16_t{7}), registry_test::Is(7), registry_test::Is(7)},
        {Variant(std::int32_t{32767}), registry_test::Is(32767), registry_test::Is(32767)},
        {Variant(std::int32_t{32768}), kOverflow, registry_test::Is(32768)},
        {Variant(std::int32_t{-32769}), kOverflow, registry_test::Is(-32769)},
        {Variant(std::int32_t{INT32_MIN}), kOverflow, registry_test::Is(INT32_MIN)},
        {Variant(Bytes{}), kMismatch, kMismatch},
        {Variant(Bytes{'1', 0}), kMismatch, kMismatch},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Convert([&] { return registry::ToInt16(row.value); }), row.int16)
            << Describe(row.value);
        EXPECT_EQ(Convert([&] { return registry::ToInt32(row.value); }), row.int32)
            << Describe(row.value);
    }
}

TEST(VariantToInteger, ErrorsCarryThePlatformDescriptions) {
    try {
        registry::ToInt16(Variant("x"));
        FAIL() << "no error";
    } catch (const toolkit::Error& error) {
        EXPECT_EQ(error.description(), "Type mismatch");
    }
    try {
        registry::ToInt16(Variant("40000"));
        FAIL() << "no error";
    } catch (const toolkit::Error& error) {
        EXPECT_EQ(error.description(), "Overflow");
    }
}

TEST(VariantToText, EveryKind) {
    struct Row {
        Variant value;
        std::string text;
    };
    const Row rows[] = {
        {Variant(), ""},
        {Variant(""), ""},
        {Variant("C:\\Temp"), "C:\\Temp"},
        {Variant(std::string("a\0b", 3)), std::string("a\0b", 3)},
        {Variant(std::int32_t{0}), "0"},
        {Variant(std::int32_t{4}), "4"},
        {Variant(std::int32_t{-2147483647 - 1}), "-2147483648"},
        {Variant(std::int16_t{-32768}), "-32768"},
        {Variant(Bytes{}), ""},
        {Variant(Bytes{'h', 0, 'i', 0}), "hi"},
        {Variant(Bytes{'h', 0, 'i'}), "hi"},  // an odd last byte is a unit of its own
        {Variant(Bytes{0x41}), "A"},
        {Variant(Bytes{0xE9, 0x00}), "\xc3\xa9"},                      // U+00E9
        {Variant(Bytes{0xAC, 0x20}), "\xe2\x82\xac"},                  // U+20AC
        {Variant(Bytes{0x3D, 0xD8, 0x00, 0xDE}), "\xf0\x9f\x98\x80"},  // U+1F600, a pair
        {Variant(Bytes{0x3D, 0xD8}), "\xef\xbf\xbd"},                  // a lone high surrogate
        {Variant(Bytes{0x00, 0xDE, 'a', 0}),
         "\xef\xbf\xbd"
         "a"},  // a lone low surrogate
        {Variant(Bytes{0x3D, 0xD8, 'a', 0}),
         "\xef\xbf\xbd"
         "a"},  // high, then no low
        {Variant(Bytes{0x00, 0x00}), std::string(1, '\0')},
        {Variant(Bytes{0xFF}), "\xc3\xbf"},  // the odd byte 0xFF is U+00FF
    };
    for (const auto& row : rows) {
        EXPECT_EQ(registry::ToText(row.value), row.text) << Describe(row.value);
    }
}

TEST(VariantDescribe, ReadableForTestMessages) {
    struct Row {
        Variant value;
        std::string shown;
    };
    const Row rows[] = {
        {Variant(), "Empty"},
        {Variant("abc"), "\"abc\""},
        {Variant(""), "\"\""},
        {Variant(std::string("a\0\"", 3)), "\"a\\x00\\\"\""},
        {Variant(std::int32_t{42}), "42"},
        {Variant(std::int16_t{42}), "42%"},
        {Variant(Bytes{1, 0xAB}), "bytes{01 ab}"},
        {Variant(Bytes{}), "bytes{}"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Describe(row.value), row.shown);
    }
}

}  // namespace
