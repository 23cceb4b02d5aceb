#include "registry/variant.h"

#include <gtest/gtest.h>

#include "toolkit/error.h"

namespace {

using registry::Bytes;
using registry::Variant;

std::string Int16(const Variant& v) {
    return std::to_string(registry::ToInt16(v));
}
std::string Int32(const Variant& v) {
    return std::to_string(registry::ToInt32(v));
}
std::string Int8(const Variant& v) {  // a width of neither conversion
    return std::to_string(registry::ParseInteger(std::get<std::string>(v), -128, 127));
}

TEST(Variant, ConvertsAsThePlatformDoes) {
    const struct {
        Variant input;
        std::string (*convert)(const Variant&);
        std::string expected;  // "error N" for a toolkit::Error
    } cases[] = {
        {"1", Int32, "1"},
        {" 12 ", Int32, "12"},
        {"2.5", Int32, "2"},
        {"3.5", Int32, "4"},
        {"2.51", Int32, "3"},
        {"-2.5", Int16, "-2"},
        {"-1", Int16, "-1"},
        {"1-", Int32, "-1"},
        {"(5)", Int32, "-5"},
        {"$3", Int32, "3"},
        {"1,000", Int32, "1000"},
        {"1e3", Int32, "1000"},
        {"&HFFFF", Int16, "-1"},
        {"&HFFFF", Int32, "65535"},
        {"&H10", Int32, "16"},
        {"&O17", Int16, "15"},
        {"&HFF", Int8, "-1"},
        {"&H80", Int8, "-128"},
        {"&H100", Int8, "error 6"},
        {"128", Int8, "error 6"},
        {"", Int32, "error 13"},
        {"abc", Int32, "error 13"},
        {"1 2", Int32, "error 13"},
        {"+-1", Int32, "error 13"},
        {"(-5)", Int32, "error 13"},
        {"1e", Int32, "error 13"},
        {"&H", Int32, "error 13"},
        {"-32768", Int16, "-32768"},
        {"32768", Int16, "error 6"},
        {"2147483647", Int32, "2147483647"},
        {"2147483648", Int32, "error 6"},
        {Bytes{1}, Int32, "error 13"},
        {Variant(), Int16, "0"},
        {std::int32_t{70000}, Int16, "error 6"},
        {std::int16_t{-3}, Int32, "-3"},
        {std::int32_t{4}, registry::ToText, "4"},
        {Bytes{0x41, 0, 0x42, 0}, registry::ToText, "AB"},
        {Bytes{0x41, 0, 0x42}, registry::ToText, "AB"},
        {Variant(), registry::ToText, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(registry::ToText(c.input));
        std::string actual;
        try {
            actual = c.convert(c.input);
        } catch (const toolkit::Error& error) {
            actual = "error " + std::to_string(error.number);
        }
        EXPECT_EQ(actual, c.expected);
    }
}

}  // namespace
