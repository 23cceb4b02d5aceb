#include "shell/scripted_shell.h"

#include <algorithm>

namespace shell {

ScriptedItem ChosenFolder(const std::string& path) {
    return {path + '\0', true};
}

std::optional<RawItemList> ScriptedShell::BrowseFolder(BrowseInfo& info) {
    browsed.push_back(info);
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(answers.front());
    answers.pop_front();
    if (!answer) {
        return std::nullopt;
    }
    const RawItemList list = next_;
    next_ += 0x10;
    items_.emplace(list, std::move(*answer));
    return list;
}

bool ScriptedShell::PathFromItemList(RawItemList list, std::span<char> buffer) {
    queries.push_back({list, buffer.size(), std::string(buffer.begin(), buffer.end())});
    const auto item = items_.find(list);
    if (item == items_.end()) {
        return false;
    }
    const auto& written = item->second.written;
    std::copy_n(written.begin(), std::min(written.size(), buffer.size()), buffer.begin());
    return item->second.succeeds;
}

void ScriptedShell::FreeItemList(RawItemList list) {
    ++frees[list];
}

std::size_t ScriptedShell::liveItemLists() const {
    return static_cast<std::size_t>(
        std::count_if(items_.begin(), items_.end(), [&](const auto& item) {
            const auto freed = frees.find(item.first);
            return freed == frees.end() || freed->second == 0;
        }));
}

std::string ScriptedShell::ToAnsi(std::string_view utf8) {
    std::string ansi;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            ansi += static_cast<char>(byte);
        } else if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            const unsigned code = ((byte & 0x1Fu) << 6) | (next & 0x3Fu);
            ansi += code <= 0xFF ? static_cast<char>(code) : '?';
        } else {
            // A longer sequence: skip its continuation bytes.
            while (i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
                ++i;
            }
            ansi += '?';
        }
    }
    return ansi;
}

std::string ScriptedShell::FromAnsi(std::string_view ansi) {
    std::string utf8;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace shell
