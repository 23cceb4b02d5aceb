// .reg files as regedit writes and reads them: the undo record, export and import. Windows has
// no API for this text, so it is written and read here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "registry/variant.h"
#include "toolkit/platform.h"

namespace registry {

// One value line: a value with its registry type and raw data, or a deletion ("name"=-).
struct RegValue {
    std::u16string name;                // "" for the key's default value (@)
    std::optional<std::uint32_t> type;  // nothing: the value is deleted
    Bytes data;                         // the value's bytes as the registry holds them
    int line = 0;                       // where it starts in a file read, from 1
    bool operator==(const RegValue&) const = default;
};

// One key section: the full path between the brackets ("HKEY_CURRENT_USER\Software\...").
struct RegKey {
    std::u16string path;
    std::vector<RegValue> values;
    int line = 0;
    bool operator==(const RegKey&) const = default;
};

// Adds `value` to the section of `path`, a new last one when there is none yet.
void AddValue(std::vector<RegKey>& keys, const std::u16string& path, RegValue value);

// The bytes of a "Windows Registry Editor Version 5.00" file: UTF-16LE with a byte-order mark,
// CRLF line ends, a blank line before each key. A REG_DWORD of 4 bytes is dword:, a REG_SZ
// that is one NUL-terminated line of text is a quoted string, anything else hex(n): wrapped
// as regedit wraps it.
Bytes WriteRegFile(const std::vector<RegKey>& keys);

struct RegFile {
    std::vector<RegKey> keys;
    std::u16string problem;  // "" when the file was read whole, else what is wrong
    int line = 0;            // the line the problem is on, 0 for the file as a whole
};

// Reads a file as regedit writes it: UTF-16LE with its byte-order mark and the 5.00 header,
// or "REGEDIT4" in the ANSI code page, where the bytes of hex(1), hex(2) and hex(7) are ANSI
// text too and are turned into the UTF-16 the registry holds. The first fault ends the reading.
RegFile ReadRegFile(std::span<const std::uint8_t> bytes, toolkit::Platform& platform);

}  // namespace registry
