// A platform that records the messages shown and answers its questions as a test set them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/platform.h"

namespace support {

struct ScriptedPlatform final : toolkit::Platform {
    void ShowMessage(const std::string& prompt, const std::string& title = {}) override {
        messages.push_back((title.empty() ? "Korvane" : title) + ": " + prompt);
    }
    std::string AppDirectory() override { return appDirectory; }
    void StartNotepad(const std::string& commandLine) override { notepad.push_back(commandLine); }
    std::optional<std::string> OpenFile(const std::string&) override { return openFile; }
    std::string BrowseForFolder(const std::string&) override { return folder; }

    std::vector<std::string> messages;  // "title: prompt"
    std::string appDirectory = "C:\\Korvane";
    std::vector<std::string> notepad;
    std::optional<std::string> openFile;  // nothing: the dialog is cancelled
    std::string folder;                   // "": no folder chosen
};

}  // namespace support
