// A platform that records the messages shown and answers its questions as a test set them.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/error.h"

namespace support {

struct ScriptedPlatform final : toolkit::Platform {
    void ShowMessage(const std::u16string& prompt, const std::u16string& title = {}) override {
        messages.push_back((title.empty() ? u"Korvane" : title) + u": " + prompt);
    }
    bool AskYesNo(const std::u16string& prompt) override {
        return messages.push_back(u"Korvane? " + prompt), yes;
    }
    std::u16string AppDirectory() override { return appDirectory; }
    void StartNotepad(const std::u16string& line) override { notepad.push_back(line); }
    std::optional<std::u16string> OpenFile(const std::u16string&, const std::u16string&) override {
        return openFile;
    }
    std::optional<std::u16string> SaveAs(const std::u16string&) override { return openFile; }
    std::u16string BrowseForFolder(const std::u16string&) override { return folder(); }
    // The platform's reading of numbers when set, else a stand-in: a minus and digits.
    std::int32_t NumberFromText(std::u16string_view text, bool int16) override {
        const std::string digits(text.begin(), text.end());
        if (numbers) {
            return numbers(text, int16);
        } else if (digits.empty() || digits == "-" ||
                   digits.find_first_not_of("0123456789", digits[0] == '-') != std::string::npos) {
            throw toolkit::Error{toolkit::kTypeMismatch};
        }
        const long long number = std::stoll(digits.substr(0, 12));
        if (number != (int16 ? std::int16_t(number) : std::int32_t(number))) {
            throw toolkit::Error{toolkit::kOverflow};
        }
        return static_cast<std::int32_t>(number);
    }
    // ASCII alone stands for the code page.
    std::optional<std::u16string> FromAnsi(std::string_view bytes) override {
        if (std::ranges::any_of(
                bytes, [](char c) { return c == 0 || static_cast<unsigned char>(c) >= 0x80; })) {
            return std::nullopt;
        }
        return std::u16string(bytes.begin(), bytes.end());
    }
    bool Elevated() override { return elevated; }
    std::u16string UndoFolder() override { return u"C:\\Undo"; }
    std::u16string LocalTime() override { return u"2026-12-07 10.00.00"; }
    bool SaveFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) override {
        return !saveFails && (files[path] = bytes, true);
    }
    std::optional<std::vector<std::uint8_t>> LoadFile(const std::u16string& path,
                                                      std::size_t) override {
        return files.contains(path) ? std::optional(files[path]) : std::nullopt;
    }
    void KeepNewestFiles(const std::u16string&, std::size_t) override {}
    bool RestartElevated(const std::u16string& arguments, bool) override {
        return restarts.push_back(arguments), yes;
    }
    void CloseWindow() override { closed = true; }

    std::vector<std::u16string> messages;  // "title: prompt", "Korvane? question"
    std::u16string appDirectory = u"C:\\Korvane";
    std::vector<std::u16string> notepad;
    std::optional<std::u16string> openFile;  // either file dialog's answer; nothing: cancelled
    std::map<std::u16string, std::vector<std::uint8_t>> files;
    bool saveFails = false;
    std::function<std::u16string()> folder = [] { return u""; };     // "": none chosen
    std::function<std::int32_t(std::u16string_view, bool)> numbers;  // the real ones, if set
    bool yes = false, elevated = false, closed = false;
    std::vector<std::u16string> restarts;
};

}  // namespace support
