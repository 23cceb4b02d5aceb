#include "shell/mod_folder.h"

#include <algorithm>

#include "shell/item_list.h"

namespace shell {

namespace {

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string BrowseForFolder(ShellApi& api, const std::string& strTitle) {
    // Spaces, so that a query that writes nothing leaves nothing once trimmed.
    std::string buffer(kPathBufferSize, ' ');

    BrowseInfo info;
    info.hwndOwner = 0;
    info.pidlRoot = 0;
    info.pszDisplayName = nullptr;
    info.lpszTitle = api.ToAnsi(strTitle);
    info.ulFlags = kReturnOnlyFsDirs;
    info.lpfn = 0;
    info.lParam = 0;

    ItemList chosen = ItemList::Browse(api, info);
    if (!chosen.valid()) {
        return {};  // cancelled: there is no item whose path could be asked for
    }
    // A failed query leaves spaces or an empty path, which both come out as "".
    static_cast<void>(api.PathFromItemList(chosen.get(), buffer));

    const auto nul = std::find(buffer.begin(), buffer.end(), '\0');
    return TrimSpaces(api.FromAnsi(std::string(buffer.begin(), nul)));
}

}  // namespace shell
