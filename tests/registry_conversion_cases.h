// Numeric text and what it converts to as a 16-bit and as a 32-bit integer. The same table is
// checked against ToInt16/ToInt32 natively and against oleaut32 under Wine; the rows marked
// `differs` are where this program knowingly parts from oleaut32 (each says why).
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

namespace registry_test {

// A conversion result: a number, or the error number raised.
struct Outcome {
    std::int32_t error = 0;  // 0, 6 (overflow) or 13 (type mismatch)
    std::int64_t value = 0;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

inline void PrintTo(const Outcome& outcome, std::ostream* out) {
    if (outcome.error != 0) {
        *out << "error " << outcome.error;
    } else {
        *out << outcome.value;
    }
}

constexpr Outcome Is(std::int64_t value) {
    return {0, value};
}
constexpr Outcome kMismatch{13, 0};
constexpr Outcome kOverflow{6, 0};

struct ConversionCase {
    std::string_view text;
    Outcome int16;
    Outcome int32;
    const char* differs = nullptr;  // why oleaut32 answers otherwise, if it does
};

using namespace std::string_view_literals;

inline constexpr ConversionCase kConversionCases[] = {
    // Plain integers and the edges of both ranges.
    {"0", Is(0), Is(0)},
    {"-1", Is(-1), Is(-1)},
    {"32767", Is(32767), Is(32767)},
    {"32768", kOverflow, Is(32768)},
    {"-32768", Is(-32768), Is(-32768)},
    {"-32769", kOverflow, Is(-32769)},
    {"2147483647", kOverflow, Is(2147483647)},
    {"2147483648", kOverflow, kOverflow},
    {"-2147483648", kOverflow, Is(-2147483648LL)},
    {"-2147483649", kOverflow, kOverflow},
    {"0000000000000000000000000000000000000000000000000032767", Is(32767), Is(32767)},
    {"100000000000000000000000000000", kOverflow, kOverflow},
    // Blanks around the number, ASCII and Unicode spaces alike, but never inside it.
    {" 12 ", Is(12), Is(12)},
    {"\t12\t", Is(12), Is(12)},
    {"12\r\n", Is(12), Is(12)},
    {"\xc2\xa0"
     "12",
     Is(12), Is(12)},                    // U+00A0
    {"12\xe3\x80\x80", Is(12), Is(12)},  // U+3000
    {"\xe2\x80\x8b"
     "12",
     kMismatch, kMismatch},                              // U+200B is no space
    {"\xef\xbc\x91\xef\xbc\x92", kMismatch, kMismatch},  // full-width digits
    {"1 2", kMismatch, kMismatch},
    // Nothing to read.
    {"", kMismatch, kMismatch},
    {" ", kMismatch, kMismatch},
    {"-", kMismatch, kMismatch},
    {".", kMismatch, kMismatch},
    {"abc", kMismatch, kMismatch},
    {"1a", kMismatch, kMismatch},
    {"TRUE", kMismatch, kMismatch},
    {"0x10", kMismatch, kMismatch},
    {"1.2.3", kMismatch, kMismatch},
    {"#1#", kMismatch, kMismatch},
    // Fractions round half to even, decided on the exact digits.
    {".5", Is(0), Is(0)},
    {"0.5", Is(0), Is(0)},
    {"2.5", Is(2), Is(2)},
    {"3.5", Is(4), Is(4)},
    {"-2.5", Is(-2), Is(-2)},
    {"2.4999999999999999999999999999999999", Is(2), Is(2)},
    {"2.50000000000000000001", Is(3), Is(3)},
    {"-0.50000000000000000001", Is(-1), Is(-1)},
    {"32767.5", kOverflow, Is(32768)},
    {"-32768.5", Is(-32768), Is(-32768)},
    {"-32768.5000000000000000000001", kOverflow, Is(-32769)},
    {"2147483646.50000000001", kOverflow, Is(2147483647)},
    {"2147483647.5", kOverflow, kOverflow},
    {"-2147483648.5", kOverflow, Is(-2147483648LL)},
    {"-2147483648.5000001", kOverflow, kOverflow},
    // Exponents.
    {"1e3", Is(1000), Is(1000)},
    {"1E+03", Is(1000), Is(1000)},
    {"1.5e1", Is(15), Is(15)},
    {"25e-1", Is(2), Is(2)},
    {"1e10", kOverflow, kOverflow},
    {"1e400", kOverflow, kOverflow},
    {"1e0000000000000000000000000003", Is(1000), Is(1000)},
    {"1.23456789012345678901234567890e2", Is(123), Is(123)},
    {"123456789012345678901234567890e-28", Is(12), Is(12)},
    {"1e", kMismatch, kMismatch},
    {"e3", kMismatch, kMismatch},
    {"1e1.5", kMismatch, kMismatch},
    {"1 e3", kMismatch, kMismatch},
    {"1d3", kMismatch, kMismatch},
    {"1e99999999999999999999999999", kOverflow, kOverflow,
     "oleaut32 lets a huge exponent wrap around and reads 0"},
    {"1e-99999999999999999999999999", Is(0), Is(0),
     "oleaut32 lets a huge negative exponent wrap around and reports an overflow"},
    {"1e+-1", kMismatch, kMismatch, "oleaut32 takes two signs in an exponent"},
    // Thousands separators: skipped among the digits, never first.
    {"1,000", Is(1000), Is(1000)},
    {"1,000,000", kOverflow, Is(1000000)},
    {"12,34,567", kOverflow, Is(1234567)},
    {"1,,0", Is(10), Is(10)},
    {"1,000.5", Is(1000), Is(1000)},
    {"1.000,5", Is(1), Is(1)},
    {"1.,5", Is(2), Is(2)},
    {",1", kMismatch, kMismatch},
    {"1 ,5", kMismatch, kMismatch},
    {"1e3,0", kMismatch, kMismatch, "oleaut32 moves digits after the exponent into the mantissa"},
    // Signs: leading or trailing, one of them; parentheses for a negative number; a "$".
    {"- 1", Is(-1), Is(-1)},
    {"+ 1", Is(1), Is(1)},
    {"1-", Is(-1), Is(-1)},
    {"1.5-", Is(-2), Is(-2)},
    {"(1)", Is(-1), Is(-1)},
    {"$1", Is(1), Is(1)},
    {"1$-", Is(-1), Is(-1)},
    {"($1)", Is(-1), Is(-1)},
    {"$1,000.50", Is(1000), Is(1000)},
    {"-1-", kMismatch, kMismatch},
    {"(1", kMismatch, kMismatch},
    {"$$1", kMismatch, kMismatch},
    {"+-1", kMismatch, kMismatch, "oleaut32 takes two signs and reads -1"},
    {"1--", kMismatch, kMismatch, "oleaut32 takes two signs and reads -1"},
    {"+1-", kMismatch, kMismatch, "oleaut32 takes two signs and reads -1"},
    {"(-1)", kMismatch, kMismatch, "oleaut32 reads a minus in parentheses as a single -1"},
    {"-(1)", kMismatch, kMismatch, "oleaut32 reads a minus before parentheses as a single -1"},
    {"1$$", kMismatch, kMismatch, "oleaut32 takes a second trailing $"},
    // Radix prefixes: a bit pattern of the target's width.
    {"&H10", Is(16), Is(16)},
    {"&H8000", Is(-32768), Is(32768)},
    {"&HFFFF", Is(-1), Is(65535)},
    {"&H80000000", kOverflow, Is(-2147483648LL)},
    {"&HFFFF8001", kOverflow, Is(-32767)},
    {"&HFFFFFFFF", kOverflow, Is(-1)},
    {"&H00000000FFFFFFFF", kOverflow, Is(-1)},
    {"&H100000000", kOverflow, kOverflow},
    {"&H7FFFFFFFFFFFFFFFFFFFF", kOverflow, kOverflow},
    {"&O17", Is(15), Is(15)},
    {"&O100000", Is(-32768), Is(32768)},
    {"&O177777", Is(-1), Is(65535)},
    {"&O37777777777", kOverflow, Is(-1)},
    {"&O40000000000", kOverflow, kOverflow},
    {"&H", kMismatch, kMismatch},
    {"&B101", kMismatch, kMismatch},
    {"&HG", kMismatch, kMismatch},
    {"&H-1", kMismatch, kMismatch},
    {"&H 10", kMismatch, kMismatch},
    {"$&H10", kMismatch, kMismatch},
    {"-&H10", kMismatch, kMismatch, "oleaut32 drops the minus and reads 16"},
    {"(&H10)", kMismatch, kMismatch, "oleaut32 drops the parentheses and reads 16"},
    {"&H10-", kMismatch, kMismatch, "oleaut32 drops the minus and reads 16"},
    // Text ends at its end, not at a NUL.
    {"1\0"sv, kMismatch, kMismatch, "oleaut32 stops reading at the first NUL and reads 1"},
    {"\0"
     "1"sv,
     kMismatch, kMismatch},
};

}  // namespace registry_test
