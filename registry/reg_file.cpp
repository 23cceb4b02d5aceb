#include "registry/reg_file.h"

#include <algorithm>
#include <string_view>

namespace registry {

namespace {

using namespace std::literals;

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kNotText =
    u"the file is neither UTF-16LE with a byte-order mark nor ANSI text";
constexpr std::u16string_view kMalformed = u"malformed line";

// What is wrong with the file; the reading loop knows the line.
struct Refusal {
    std::u16string_view what;
};

void Check(bool good, std::u16string_view problem) {
    if (!good) {
        throw Refusal{problem};
    }
}

std::u16string Hex(std::uint32_t number, std::size_t width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789abcdef"[number & 15]);
        number >>= 4;
    } while (number != 0 || digits.size() < width);
    return digits;
}

std::u16string Quote(std::u16string_view text) {
    std::u16string quoted = u"\"";
    for (const char16_t c : text) {
        quoted += c == u'\\' || c == u'"' ? u"\\"s + c : std::u16string(1, c);
    }
    return quoted + u'"';
}

Bytes Utf16(std::u16string_view text) {
    Bytes bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

// The UTF-16LE units of an even number of bytes.
std::u16string Units(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    }
    return text;
}

// Text written as a quoted string must read back as the same bytes: one line of text and its
// one terminating NUL. Anything else goes as hex so nothing is lost.
std::optional<std::u16string> OneLine(const RegValue& value) {
    if (value.type != 1 || value.data.size() < 2 || value.data.size() % 2 != 0) {
        return std::nullopt;
    }
    std::u16string text = Units(value.data);
    if (text.find_first_of(u"\0\r\n"sv) != text.size() - 1 || text.back() != 0) {
        return std::nullopt;
    }
    text.pop_back();
    return text;
}

// The value's line, or lines when its hex bytes wrap as regedit wraps them.
std::u16string ValueLines(const RegValue& value) {
    std::u16string line = (value.name.empty() ? u"@"s : Quote(value.name)) + u"=";
    const Bytes& data = value.data;
    if (!value.type) {
        return line + u"-\r\n";
    } else if (*value.type == 4 && data.size() == 4) {
        const std::uint32_t dword =
            data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t{data[3]} << 24;
        return line + u"dword:" + Hex(dword, 8) + u"\r\n";
    } else if (const auto text = OneLine(value)) {
        return line + Quote(*text) + u"\r\n";
    }
    line += *value.type == 3 ? u"hex:"s : u"hex(" + Hex(*value.type, 1) + u"):";
    std::u16string lines;
    for (std::size_t i = 0; i < data.size(); ++i) {
        line += Hex(data[i], 2);
        if (i + 1 < data.size()) {
            line += u',';
            if (line.size() >= 77) {
                lines += line + u"\\\r\n";
                line = u"  ";
            }
        }
    }
    return lines + line + u"\r\n";
}

std::u16string_view Trim(std::u16string_view text) {
    const auto first = text.find_first_not_of(u" \t");
    return first == text.npos ? u""sv
                              : text.substr(first, text.find_last_not_of(u" \t") + 1 - first);
}

// Takes `prefix` off the front of `rest` when it is there.
bool Consume(std::u16string_view& rest, std::u16string_view prefix) {
    const bool there = rest.starts_with(prefix);
    rest.remove_prefix(there ? prefix.size() : 0);
    return there;
}

// 1 to `most` hex digits of either case and nothing else.
std::optional<std::uint32_t> HexNumber(std::u16string_view digits, std::size_t most) {
    if (digits.empty() || digits.size() > most) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char16_t c : digits) {
        const auto at = u"0123456789abcdef0123456789ABCDEF"sv.find(c);
        if (at == std::u16string_view::npos) {
            return std::nullopt;
        }
        number = number << 4 | (at & 15);
    }
    return number;
}

// The quoted text at the front of `rest`, its opening quote already taken, up to and past its
// closing quote. Only \\ and \" are escapes.
std::u16string Unquote(std::u16string_view& rest, std::u16string_view unclosed) {
    std::u16string text;
    while (!Consume(rest, u"\"")) {
        Check(!rest.empty(), unclosed);
        if (Consume(rest, u"\\")) {
            Check(rest.starts_with(u'\\') || rest.starts_with(u'"'),
                  u"an unknown escape after a backslash");
        }
        text += rest.front();
        rest.remove_prefix(1);
    }
    return text;
}

// Comma-separated bytes of 1 or 2 hex digits, or none.
Bytes HexBytes(std::u16string_view text) {
    Bytes bytes;
    text = Trim(text);
    if (text.empty()) {
        return bytes;
    }
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(u',', start);
        const auto byte = HexNumber(Trim(text.substr(start, comma - start)), 2);
        Check(byte.has_value(), u"a malformed hex byte");
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == text.npos) {
            return bytes;
        }
        start = comma + 1;
    }
}

std::optional<std::u16string> FromAnsi(std::span<const std::uint8_t> bytes,
                                       toolkit::Platform& platform) {
    return platform.FromAnsi({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

// A REGEDIT4 file holds the bytes of text values in the ANSI code page, NULs between the
// strings; the registry holds them as UTF-16, as the ANSI registry functions store them.
Bytes AnsiToUtf16(std::span<const std::uint8_t> bytes, toolkit::Platform& platform) {
    std::u16string text;
    for (;;) {
        const auto nul = static_cast<std::size_t>(std::ranges::find(bytes, 0) - bytes.begin());
        const auto part = FromAnsi(bytes.first(nul), platform);
        Check(part.has_value(), u"hex data of text that is not in the ANSI code page");
        text += *part;
        if (nul == bytes.size()) {
            return Utf16(text);
        }
        text += u'\0';
        bytes = bytes.subspan(nul + 1);
    }
}

// The file's text, from UTF-16LE after its byte-order mark or from the ANSI code page.
std::u16string Decode(std::span<const std::uint8_t> bytes, bool unicode,
                      toolkit::Platform& platform) {
    Check(bytes.size() <= 1048576, u"the file is larger than 1 MiB");
    if (unicode) {
        Check(bytes.size() % 2 == 0, u"the file is not UTF-16LE: it has an odd number of bytes");
        return Units(bytes.subspan(2));
    }
    // UTF-8 or UTF-16BE, which a code page could misread
    Check(!(bytes.size() >= 2 &&
            ((bytes[0] == 0xEF && bytes[1] == 0xBB) || (bytes[0] == 0xFE && bytes[1] == 0xFF))),
          kNotText);
    const auto text = FromAnsi(bytes, platform);
    Check(text.has_value(), kNotText);
    return *text;
}

// The data after "name"=, continued on the lines after `lines[i]` while they end in a
// backslash; `i` is left on the value's last line.
void ReadData(RegValue& value, std::u16string_view rest,
              const std::vector<std::u16string_view>& lines, std::size_t& i, bool unicode,
              toolkit::Platform& platform) {
    if (Consume(rest, u"\"")) {
        value.type = 1;
        value.data = Utf16(Unquote(rest, u"a string without its closing quote") + u'\0');
        Check(rest.empty(), kMalformed);
    } else if (Consume(rest, u"dword:")) {
        const auto dword = HexNumber(rest, 8);
        Check(dword.has_value(), u"dword: needs 1 to 8 hex digits");
        value.type = 4;
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(static_cast<std::uint8_t>(*dword >> shift));
        }
    } else if (Consume(rest, u"hex")) {
        value.type = 3;
        if (Consume(rest, u"(")) {
            const std::size_t close = rest.find(u')');
            value.type = HexNumber(rest.substr(0, close), 8);
            Check(value.type && close != rest.npos, u"hex( needs a type of 1 to 8 hex digits");
            rest.remove_prefix(close + 1);
        }
        Check(Consume(rest, u":"), kMalformed);
        std::u16string joined(rest);
        while (joined.ends_with(u'\\') && i + 1 < lines.size()) {
            joined.pop_back();
            joined += Trim(lines[++i]);
        }
        value.data = HexBytes(joined);
        if (!unicode && (value.type == 1 || value.type == 2 || value.type == 7)) {
            value.data = AnsiToUtf16(value.data, platform);
        }
    } else {
        Check(rest == u"-", kMalformed);
    }
}

}  // namespace

Bytes WriteRegFile(const std::vector<RegKey>& keys) {
    std::u16string text = u"\xFEFF" + std::u16string(kHeader) + u"\r\n";
    for (const RegKey& key : keys) {
        text += u"\r\n[" + key.path + u"]\r\n";
        for (const RegValue& value : key.values) {
            text += ValueLines(value);
        }
    }
    return Utf16(text + u"\r\n");
}

RegFile ReadRegFile(std::span<const std::uint8_t> bytes, toolkit::Platform& platform) {
    RegFile file;
    int line = 0;
    try {
        const bool unicode = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
        const std::u16string text = Decode(bytes, unicode, platform);
        std::vector<std::u16string_view> lines;
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find(u'\n', start), text.size());
            const auto one = std::u16string_view(text).substr(start, end - start);
            lines.push_back(one.ends_with(u'\r') ? one.substr(0, one.size() - 1) : one);
            start = end + 1;
        }
        line = 1;
        Check(lines[0] == (unicode ? kHeader : u"REGEDIT4"sv), u"unknown header");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            line = static_cast<int>(i) + 1;
            std::u16string_view rest = Trim(lines[i]);
            if (rest.empty() || rest.starts_with(u';')) {
                continue;
            } else if (Consume(rest, u"[")) {
                Check(!rest.starts_with(u'-'), u"a key deletion is not accepted");
                Check(rest.ends_with(u']'), kMalformed);
                file.keys.push_back({std::u16string(rest.substr(0, rest.size() - 1)), {}, line});
                continue;
            }
            Check(rest.starts_with(u'"') || rest.starts_with(u'@'), kMalformed);
            Check(!file.keys.empty(), u"a value before any key");
            RegValue value;
            value.line = line;
            if (!Consume(rest, u"@")) {
                rest.remove_prefix(1);
                value.name = Unquote(rest, u"a name without its closing quote");
            }
            Check(Consume(rest, u"="), kMalformed);
            ReadData(value, rest, lines, i, unicode, platform);
            file.keys.back().values.push_back(std::move(value));
        }
    } catch (const Refusal& refusal) {
        file.problem = refusal.what;
        file.line = line;
    }
    return file;
}

void AddValue(std::vector<RegKey>& keys, const std::u16string& path, RegValue value) {
    auto section = std::ranges::find(keys, path, &RegKey::path);
    if (section == keys.end()) {
        section = keys.insert(keys.end(), RegKey{path, {}, 0});
    }
    section->values.push_back(std::move(value));
}

}  // namespace registry
