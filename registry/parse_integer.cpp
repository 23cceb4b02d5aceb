// Numeric text as the platform reads it under the en-US locale: blanks, one sign (leading or
// trailing) or parentheses for a negative number, a "$", digits with "," separators, one ".",
// an exponent, or an "&H" / "&O" radix prefix. The value is rounded half to even on its
// decimal digits, never through a double.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "registry/variant.h"
#include "toolkit/error.h"

namespace registry {

namespace {

// An exponent this large already decides the result; capping it keeps the arithmetic exact.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

[[noreturn]] void NotANumber() {
    throw toolkit::Error(toolkit::kTypeMismatch);
}
[[noreturn]] void OutOfRange() {
    throw toolkit::Error(toolkit::kOverflow);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }
    void Advance(std::size_t count = 1) { pos_ += count; }
    std::size_t pos() const { return pos_; }

    // Skips white space: the ASCII blanks and the Unicode spaces the platform also skips.
    void SkipBlanks() {
        while (std::size_t length = BlankLength()) {
            pos_ += length;
        }
    }

private:
    std::size_t BlankLength() const {
        const auto at = [&](std::size_t i) {
            return static_cast<unsigned char>(pos_ + i < text_.size() ? text_[pos_ + i] : 0);
        };
        const unsigned char c = at(0);
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            return 1;
        }
        if (c == 0xC2 && (at(1) == 0x85 || at(1) == 0xA0)) {
            return 2;  // U+0085, U+00A0
        }
        if (c == 0xE2 && at(1) == 0x80 &&
            ((at(2) >= 0x80 && at(2) <= 0x8A) || at(2) == 0xA8 || at(2) == 0xA9 || at(2) == 0xAF)) {
            return 3;  // U+2000..U+200A, U+2028, U+2029, U+202F
        }
        if ((c == 0xE2 && at(1) == 0x81 && at(2) == 0x9F) ||
            (c == 0xE3 && at(1) == 0x80 && at(2) == 0x80)) {
            return 3;  // U+205F, U+3000
        }
        return 0;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// What surrounds the number: a sign, parentheses, a currency symbol.
struct Affixes {
    int signs = 0;
    bool minus = false;
    bool open = false;
    bool close = false;
    bool currencyBefore = false;
    bool currencyAfter = false;

    bool negative() const { return minus || open; }
};

// Reads the marks before the number (`leading`) or after it, with blanks between them.
void ScanAffixes(Scanner& scan, Affixes& affixes, bool leading) {
    for (;;) {
        scan.SkipBlanks();
        const char c = scan.Peek();
        if (scan.AtEnd()) {
            return;
        }
        if (c == '+' || c == '-') {
            if (++affixes.signs > 1) {
                NotANumber();
            }
            affixes.minus = c == '-';
        } else if (c == '(' && leading && !affixes.open) {
            affixes.open = true;
        } else if (c == ')' && !leading && affixes.open && !affixes.close) {
            affixes.close = true;
        } else if (c == '$' && leading && !affixes.currencyBefore) {
            affixes.currencyBefore = true;
        } else if (c == '$' && !leading && !affixes.currencyAfter) {
            affixes.currencyAfter = true;
        } else {
            return;
        }
        scan.Advance();
    }
}

// A decimal number as its significant digits and the place of the decimal point among them.
struct Decimal {
    std::string digits;        // no leading zeros; empty for zero
    std::int64_t pointAt = 0;  // digits before the point; may be negative or beyond the digits
};

Decimal ScanDecimal(Scanner& scan) {
    std::string mantissa;
    std::int64_t integerDigits = 0;
    bool anyDigit = false;
    if (IsDigit(scan.Peek())) {
        while (IsDigit(scan.Peek()) || scan.Peek() == ',') {
            if (scan.Peek() != ',') {
                mantissa.push_back(scan.Peek());
                ++integerDigits;
            }
            scan.Advance();
        }
        anyDigit = true;
    }
    if (scan.Peek() == '.' && !scan.AtEnd()) {
        scan.Advance();
        while (IsDigit(scan.Peek()) || scan.Peek() == ',') {
            if (scan.Peek() != ',') {
                mantissa.push_back(scan.Peek());
                anyDigit = true;
            }
            scan.Advance();
        }
    }
    if (!anyDigit) {
        NotANumber();
    }
    std::int64_t exponent = 0;
    if (scan.Peek() == 'e' || scan.Peek() == 'E') {
        scan.Advance();
        bool negativeExponent = false;
        if (scan.Peek() == '+' || scan.Peek() == '-') {
            negativeExponent = scan.Peek() == '-';
            scan.Advance();
        }
        if (!IsDigit(scan.Peek())) {
            NotANumber();
        }
        while (IsDigit(scan.Peek())) {
            exponent = std::min(exponent * 10 + (scan.Peek() - '0'), kExponentCap);
            scan.Advance();
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    const auto firstSignificant = std::min(mantissa.find_first_not_of('0'), mantissa.size());
    Decimal decimal;
    decimal.digits = mantissa.substr(firstSignificant);
    decimal.pointAt = integerDigits - static_cast<std::int64_t>(firstSignificant) + exponent;
    return decimal;
}

// The magnitude rounded half to even; `tooLarge` when it exceeds 19 digits.
std::uint64_t RoundedMagnitude(const Decimal& decimal, bool& tooLarge) {
    tooLarge = false;
    const auto& digits = decimal.digits;
    if (digits.empty()) {
        return 0;
    }
    if (decimal.pointAt > 19) {
        tooLarge = true;  // at least 10^19: beyond every 64-bit range
        return 0;
    }
    if (decimal.pointAt < 0) {
        return 0;  // below 0.1
    }
    const auto whole = static_cast<std::size_t>(decimal.pointAt);
    std::uint64_t magnitude = 0;
    for (std::size_t i = 0; i < whole; ++i) {
        magnitude = magnitude * 10 + (i < digits.size() ? digits[i] - '0' : 0);
    }
    if (whole < digits.size()) {
        const char first = digits[whole];
        const bool beyondHalf = digits.find_first_not_of('0', whole + 1) != std::string::npos;
        if (first > '5' || (first == '5' && (beyondHalf || magnitude % 2 == 1))) {
            ++magnitude;  // at most 10^19, which still fits
        }
    }
    return magnitude;
}

// Digits after "&H" or "&O"; `tooLarge` when the value exceeds 64 bits.
std::uint64_t ScanRadix(Scanner& scan, bool& tooLarge) {
    const char marker = scan.Peek(1);
    const unsigned shift = marker == 'h' || marker == 'H' ? 4 : 3;
    const int base = 1 << shift;
    scan.Advance(2);
    std::uint64_t value = 0;
    bool anyDigit = false;
    tooLarge = false;
    for (;;) {
        const int digit = HexDigit(scan.Peek());
        if (digit < 0 || digit >= base) {
            break;
        }
        if (value >> (64 - shift) != 0) {
            tooLarge = true;
        }
        value = value << shift | static_cast<std::uint64_t>(digit);
        anyDigit = true;
        scan.Advance();
    }
    if (!anyDigit) {
        NotANumber();
    }
    return value;
}

bool IsRadixPrefix(const Scanner& scan) {
    const char marker = scan.Peek(1);
    return scan.Peek() == '&' && (marker == 'h' || marker == 'H' || marker == 'o' || marker == 'O');
}

}  // namespace

std::int64_t ParseInteger(const std::string& text, std::int64_t min, std::int64_t max) {
    Scanner scan(text);
    Affixes affixes;
    ScanAffixes(scan, affixes, true);

    const bool radix = IsRadixPrefix(scan);
    bool tooLarge = false;
    std::uint64_t magnitude = 0;
    if (radix) {
        magnitude = ScanRadix(scan, tooLarge);
    } else {
        magnitude = RoundedMagnitude(ScanDecimal(scan), tooLarge);
    }

    ScanAffixes(scan, affixes, false);
    if (!scan.AtEnd() || affixes.open != affixes.close || (affixes.minus && affixes.open)) {
        NotANumber();
    }

    if (radix) {
        // Radix text is a bit pattern of the target's width: &HFFFF is -1 as 16 bits. A minus
        // on a bit pattern has no sound meaning and is refused.
        if (affixes.negative() || affixes.currencyBefore || affixes.currencyAfter) {
            NotANumber();
        }
        const auto span = static_cast<std::uint64_t>(max) - static_cast<std::uint64_t>(min);
        if (tooLarge || magnitude > span) {
            OutOfRange();
        }
        if (magnitude <= static_cast<std::uint64_t>(std::max<std::int64_t>(max, 0))) {
            return static_cast<std::int64_t>(magnitude);
        }
        return static_cast<std::int64_t>(magnitude - span - 1);
    }

    constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::int64_t value = 0;
    if (tooLarge) {
        OutOfRange();
    } else if (!affixes.negative()) {
        if (magnitude > kLargest) {
            OutOfRange();
        }
        value = static_cast<std::int64_t>(magnitude);
    } else {
        if (magnitude > kLargest + 1) {
            OutOfRange();
        }
        value = magnitude == kLargest + 1 ? std::numeric_limits<std::int64_t>::min()
                                          : -static_cast<std::int64_t>(magnitude);
    }
    if (value < min || value > max) {
        OutOfRange();
    }
    return value;
}

}  // namespace registry
