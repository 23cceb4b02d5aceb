#include "toolkit/common_dialog.h"

#include "toolkit/error.h"

namespace toolkit {

std::vector<FileFilter> ParseFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= filter.size() && !filter.empty()) {
        const auto bar = filter.find('|', start);
        if (bar == std::string::npos) {
            parts.push_back(filter.substr(start));
            break;
        }
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    if (parts.size() % 2 != 0) {
        throw Error(380);
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        filters.push_back({parts[i], parts[i + 1]});
    }
    return filters;
}

void CommonDialog::ShowOpen() {
    const auto filters = ParseFilter(Filter);
    auto chosen = services_.OpenFileDialog(filters);
    if (!chosen) {
        FileName.clear();
        if (CancelError) {
            throw Error(kCancelSelected);
        }
        return;
    }
    FileName = std::move(*chosen);
}

}  // namespace toolkit
