#include "settings/footprint.h"

#include <algorithm>
#include <cctype>

#include "settings/history_actions.h"
#include "settings/switch_table.h"
#include "settings/text_settings.h"
#include "settings/toolbar_table.h"

namespace settings {

namespace {

using Change = FootprintEntry::Change;

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void AddSwitchWrites(std::vector<FootprintEntry>& out, const SwitchRow& row,
                     const SwitchWrites& writes) {
    for (const auto& write : writes) {
        switch (write.action) {
            case SwitchWrite::Action::None:
                break;
            case SwitchWrite::Action::Text:
            case SwitchWrite::Action::Number:
                out.push_back({Change::Write, static_cast<std::uint32_t>(row.root), row.keyPath,
                               write.valueName});
                break;
            case SwitchWrite::Action::Delete:
                out.push_back({Change::Delete, static_cast<std::uint32_t>(row.root), row.keyPath,
                               write.valueName});
                break;
        }
    }
}

std::vector<FootprintEntry> BuildFootprint();

bool Allows(Change change, std::uint32_t root, std::string_view keyPath,
            std::string_view valueName) {
    for (const auto& entry : ProgramFootprint()) {
        if (entry.change == change && entry.root == root && SameName(entry.keyPath, keyPath) &&
            SameName(entry.valueName, valueName)) {
            return true;
        }
    }
    return false;
}

}  // namespace

namespace {

std::vector<FootprintEntry> BuildFootprint() {
    std::vector<FootprintEntry> out;
    for (const auto& row : kSwitches) {
        AddSwitchWrites(out, row, row.ticked);
        AddSwitchWrites(out, row, row.cleared);
    }
    constexpr auto kToolbarRoot = static_cast<std::uint32_t>(registry::kCurrentUser);
    for (const auto& button : kToolbarButtons) {
        out.push_back({Change::Write, kToolbarRoot, kToolbarPolicyKey, button.valueName});
    }
    out.push_back({Change::Write, kToolbarRoot, kToolbarPolicyKey, kNoToolbarCustomize});
    out.push_back({Change::Write, kToolbarRoot, kToolbarPolicyKey, kSpecifyDefaultButtons});
    for (const auto& value : kTextValues) {
        out.push_back({Change::Write, value.root, value.keyPath, value.valueName});
    }
    // The downloads limit is deleted, both values, when its box is emptied.
    out.push_back(
        {Change::Delete, kMaxConnections.root, kMaxConnections.keyPath, kMaxConnections.valueName});
    out.push_back({Change::Delete, kMaxConnections1_0.root, kMaxConnections1_0.keyPath,
                   kMaxConnections1_0.valueName});
    out.push_back({Change::DeleteKey, kTypedUrls.root, kTypedUrls.keyPath, ""});
    for (const auto& bitmap : kBrandBitmaps) {
        out.push_back({Change::Delete, bitmap.root, bitmap.keyPath, bitmap.valueName});
    }
    return out;
}

}  // namespace

const std::vector<FootprintEntry>& ProgramFootprint() {
    static const std::vector<FootprintEntry> footprint = BuildFootprint();
    return footprint;
}

bool MayWriteValue(std::uint32_t root, std::string_view keyPath, std::string_view valueName) {
    return Allows(Change::Write, root, keyPath, valueName);
}

bool MayDeleteValue(std::uint32_t root, std::string_view keyPath, std::string_view valueName) {
    return Allows(Change::Delete, root, keyPath, valueName);
}

bool MayDeleteKey(std::uint32_t root, std::string_view keyPath) {
    return Allows(Change::DeleteKey, root, keyPath, "");
}

bool MayCreateKey(std::uint32_t root, std::string_view keyPath) {
    for (const auto& entry : ProgramFootprint()) {
        if (entry.change != Change::Write || entry.root != root ||
            keyPath.size() > entry.keyPath.size()) {
            continue;
        }
        // The key itself, or a level above it (a prefix that ends at a backslash).
        const bool whole = keyPath.size() == entry.keyPath.size();
        if (SameName(entry.keyPath.substr(0, keyPath.size()), keyPath) &&
            (whole || entry.keyPath[keyPath.size()] == '\\')) {
            return true;
        }
    }
    return false;
}

}  // namespace settings
