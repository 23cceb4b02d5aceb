// A shell for headless runs: answers the folder browser from a script and records every
// call, so that tests can see what was asked and that each item list is freed exactly once.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/shell_api.h"

namespace shell {

// What the path query of a chosen item does: writes `written` (ANSI, as given: put the NUL in
// yourself) at the start of the buffer, cut to the buffer's size, and returns `succeeds`.
struct ScriptedItem {
    std::string written;
    bool succeeds = true;
};

// A chosen folder whose query writes `path` and its NUL, as shell32 does.
ScriptedItem ChosenFolder(const std::string& path);

// One path query as the shell saw it.
struct PathQuery {
    RawItemList list = 0;
    std::size_t bufferSize = 0;
    std::string bufferBefore;  // the buffer's content when the query came
};

class ScriptedShell : public ShellApi {
public:
    ~ScriptedShell() override = default;

    // Takes the next scripted answer; nothing, or no answer left, is a cancel.
    std::optional<RawItemList> BrowseFolder(BrowseInfo& info) override;
    bool PathFromItemList(RawItemList list, std::span<char> buffer) override;
    void FreeItemList(RawItemList list) override;
    // A single-byte code page: UTF-8 up to U+00FF maps to one byte, anything else to '?'.
    std::string ToAnsi(std::string_view utf8) override;
    std::string FromAnsi(std::string_view ansi) override;

    std::deque<std::optional<ScriptedItem>> answers;

    std::vector<BrowseInfo> browsed;
    std::vector<PathQuery> queries;
    // How often each handed-out list was freed; an unknown list counts under its own value.
    std::map<RawItemList, int> frees;

    // Lists handed out and not yet freed.
    std::size_t liveItemLists() const;

private:
    std::map<RawItemList, ScriptedItem> items_;
    RawItemList next_ = 0x1000;
};

}  // namespace shell
