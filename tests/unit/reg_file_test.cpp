// .reg files: written files read back the same, the exact text written, and each refusal.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <tuple>

#include "registry/reg_file.h"
#include "tests/support/scripted_platform.h"

namespace {

using namespace std::literals;
using registry::Bytes;
using registry::RegKey;

Bytes U16(std::u16string_view text) {
    Bytes bytes(text.size() * 2);
    std::memcpy(bytes.data(), text.data(), bytes.size());  // little-endian hosts only
    return bytes;
}
// A file: UTF-16LE when the text starts with the byte-order mark, else one byte per unit.
Bytes File(std::u16string_view text) {
    return text.starts_with(u'\xFEFF') ? U16(text) : Bytes(text.begin(), text.end());
}
Bytes Count(std::size_t size) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), 0);
    return bytes;
}
// Each key ("[path]") and each of its values as a row gtest prints; lines only when `lines`.
using Row = std::tuple<std::u16string, std::optional<std::uint32_t>, Bytes, int>;
std::vector<Row> Rows(const std::vector<RegKey>& keys, bool lines) {
    std::vector<Row> rows;
    for (const RegKey& key : keys) {
        rows.emplace_back(u"[" + key.path + u"]", std::nullopt, Bytes{}, lines ? key.line : 0);
        for (const registry::RegValue& value : key.values) {
            rows.emplace_back(value.name, value.type, value.data, lines ? value.line : 0);
        }
    }
    return rows;
}

const std::u16string kHead = u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n[K]\r\n";

// clang-format off
// what, the keys (with lines where the file is given; after kHead a value is on line 4), the
// file ("" for the writer's), whether the writer writes exactly that, the problem and its line
const std::tuple<const char*, std::vector<RegKey>, std::u16string, bool, std::u16string, int> kCases[] = {
    {"the header, a blank line before each key and at the end, escapes, dword, deletion, empty hex, a CR as hex(1)",
     {{u"K", {{u"", 1, U16(u"a\\\"b\0"sv), 4}, {u"D", 4, {0x78, 0x56, 0x34, 0x02}, 5}}, 3},
      {u"L", {{u"a\\b\"c", std::nullopt, {}, 8}, {u"E", 3, {}, 9}, {u"N", 0, {}, 10}, {u"CR", 1, U16(u"a\rb\0"sv), 11}}, 7}},
     kHead + u"@=\"a\\\\\\\"b\"\r\n\"D\"=dword:02345678\r\n\r\n[L]\r\n\"a\\\\b\\\"c\"=-\r\n\"E\"=hex:\r\n\"N\"=hex(0):\r\n\"CR\"=hex(1):61,00,0d,00,62,00,00,00\r\n\r\n", true, u"", 0},
    {"hex wraps after a comma once a line reaches 77 characters, continuing indented by two",
     {{u"K", {{u"Bin", 3, Count(50), 4}}, 3}},
     kHead + u"\"Bin\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
             u"  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,\\\r\n  30,31\r\n\r\n", true, u"", 0},
    {"odd types and text a quoted string would change as hex(n); a long binary; \\, \" and non-ASCII names; @; a deletion",
     {{u"K", {{u"None", 0, {}}, {u"Expand", 2, U16(u"%TEMP%\0"sv)}, {u"Multi", 7, U16(u"a\0b\0\0"sv)},
              {u"Nul", 1, U16(u"a\0b\0"sv)}, {u"Open", 1, U16(u"ab"sv)},
              {u"Odd", 1, {0x61, 0, 0}}, {u"Empty", 1, {}}, {u"Short", 4, {1, 2, 3}}, {u"Big", 0x12345678, {1}}}},
      {u"L\\M\u00e9", {{u"a\\\"\u20ac", 3, Count(256)}, {u"", 1, U16(u"\u00e9\0"sv)}, {u"gone", std::nullopt, {}}}}}, u"", false, u"", 0},
    {"REGEDIT4: LF ends, comments, blanks, indents, short hex, a continuation; its text in hex(7) is ANSI",
     {{u"K", {{u"", 1, U16(u"x\0"sv), 5}, {u"D", 4, {0xab, 0, 0, 0}, 6}, {u"B", 3, {1, 0xff, 0x0a}, 7}, {u"X", 7, U16(u"A\0B\0\0"sv), 9}}, 4}},
     u"REGEDIT4\n; note\n \t\n  [K] \n@=\"x\"\n\"D\"=dword:Ab\n\"B\"=hex: 1, ff ,\\\n   0A\n\"X\"=hex(7):41,00,42,00,00\n", false, u"", 0},
    {"more than 1 MiB", {}, std::u16string(1048577, u' '), false, u"the file is larger than 1 MiB", 0},
    {"an odd byte count after FF FE", {}, u"\xFF\xFEW", false, u"the file is not UTF-16LE: it has an odd number of bytes", 0},
    {"UTF-8 with a byte-order mark", {}, u"\xEF\xBB\xBFREGEDIT4\r\n", false, u"the file is neither UTF-16LE with a byte-order mark nor ANSI text", 0},
    {"bytes the code page lacks", {}, u"REGEDIT4\r\n[K]\r\n@=\"\x80\"\r\n", false, u"the file is neither UTF-16LE with a byte-order mark nor ANSI text", 0},
    {"an unknown UTF-16 header", {}, u"\xFEFFWindows Registry Editor Version 4.00\r\n", false, u"unknown header", 1},
    {"the 5.00 header in ANSI", {}, u"Windows Registry Editor Version 5.00\r\n", false, u"unknown header", 1},
    {"a key deletion", {}, kHead + u"[-K]", false, u"a key deletion is not accepted", 4},
    {"a key without ]", {}, kHead + u"[K", false, u"malformed line", 4},
    {"a value before any key", {}, u"REGEDIT4\n@=-", false, u"a value before any key", 2},
    {"an unknown escape in a name", {}, kHead + u"\"a\\n\"=-", false, u"an unknown escape after a backslash", 4},
    {"a name without its closing quote", {}, kHead + u"\"a=-", false, u"a name without its closing quote", 4},
    {"a string without its closing quote", {}, kHead + u"@=\"a", false, u"a string without its closing quote", 4},
    {"more after a string", {}, kHead + u"@=\"a\" b", false, u"malformed line", 4},
    {"dword: with no digits", {}, kHead + u"@=dword:", false, u"dword: needs 1 to 8 hex digits", 4},
    {"dword: with 9 digits", {}, kHead + u"@=dword:000000001", false, u"dword: needs 1 to 8 hex digits", 4},
    {"hex() with no type", {}, kHead + u"@=hex():00", false, u"hex( needs a type of 1 to 8 hex digits", 4},
    {"a byte of 3 digits", {}, kHead + u"@=hex:123", false, u"a malformed hex byte", 4},
    {"a bad byte on a continuation", {}, kHead + u"@=hex:00,\\\r\n  0g", false, u"a malformed hex byte", 4},
    {"REGEDIT4 hex(2) bytes the code page lacks", {}, u"REGEDIT4\n[K]\n@=hex(2):80,00", false, u"hex data of text that is not in the ANSI code page", 3},
    {"no data", {}, kHead + u"@=", false, u"malformed line", 4},
    {"some other line", {}, kHead + u"K=1", false, u"malformed line", 4},
};
// clang-format on

TEST(RegFile, ReadsWhatItWritesAndRefusesEachFault) {
    support::ScriptedPlatform platform;
    for (const auto& [what, keys, text, written, problem, line] : kCases) {
        SCOPED_TRACE(what);
        const Bytes file = text.empty() ? registry::WriteRegFile(keys) : File(text);
        const registry::RegFile read = registry::ReadRegFile(file, platform);
        EXPECT_EQ(std::pair(read.problem, read.line), std::pair(problem, line));
        if (problem.empty()) {
            EXPECT_EQ(Rows(read.keys, !text.empty()), Rows(keys, !text.empty()));
        }
        if (written) {
            EXPECT_EQ(registry::WriteRegFile(keys), file);
        }
    }
}

}  // namespace
