#include "registry/variant.h"

#include <gtest/gtest.h>

#include <tuple>

#include "toolkit/error.h"

namespace {

using registry::Bytes;
using registry::Variant;

// The conversion to a 16- or 32-bit integer, or to text (0 bits); "error N" for error N.
std::string Convert(const Variant& input, int bits) {
    try {
        return bits == 0    ? registry::ToText(input)
               : bits == 16 ? std::to_string(registry::ToInt16(input))
                            : std::to_string(registry::ToInt32(input));
    } catch (const toolkit::Error& error) {
        return "error " + std::to_string(error.number);
    }
}

TEST(Variant, ConvertsAsThePlatformDoes) {
    const std::tuple<Variant, int, std::string> cases[] = {
        // clang-format off
        {" 12 ", 32, "12"}, {"1,000", 32, "1000"}, {"1e3", 32, "1000"}, {"$3", 32, "3"},
        {"2.5", 32, "2"}, {"3.5", 32, "4"}, {"2.51", 32, "3"}, {"-2.5", 16, "-2"},  // half to even
        {"1-", 32, "-1"}, {"(5)", 32, "-5"}, {"+-1", 32, "error 13"}, {"(-5)", 32, "error 13"},
        {"", 32, "error 13"}, {"1 2", 32, "error 13"}, {"1e", 32, "error 13"},
        {"&HFFFF", 16, "-1"}, {"&HFFFF", 32, "65535"}, {"&O17", 16, "15"},  // bits of the width
        {"&H8000", 16, "-32768"}, {"&H10000", 16, "error 6"},
        {"&H", 32, "error 13"}, {"-&H1", 32, "error 13"},
        {"-32768", 16, "-32768"}, {"32768", 16, "error 6"}, {"2147483648", 32, "error 6"},
        {"18446744073709551616", 32, "error 6"},  // past 64 bits
        {Variant(), 16, "0"}, {std::int32_t{70000}, 16, "error 6"}, {std::int16_t{-3}, 32, "-3"},
        {Bytes{1}, 32, "error 13"}, {Variant(), 0, ""}, {std::int32_t{4}, 0, "4"},
        {std::int16_t{-3}, 0, "-3"}, {Bytes{0x41, 0, 0x42}, 0, "AB"},  // an odd last byte
        // clang-format on
    };
    for (const auto& [input, bits, expected] : cases) {
        EXPECT_EQ(Convert(input, bits), expected) << registry::ToText(input) << " in " << bits;
    }
}

}  // namespace
