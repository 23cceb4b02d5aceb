// A move-only owner of one item identifier list handed out by a ShellApi.
#pragma once

#include <optional>
#include <utility>

#include "shell/shell_api.h"

namespace shell {

class ItemList {
public:
    ItemList() = default;
    // Takes ownership of `list`, handed out by `api`.
    ItemList(ShellApi& api, RawItemList list) : api_(&api), list_(list) {}
    ~ItemList() { Free(); }

    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    ItemList(ItemList&& other) noexcept
        : api_(std::exchange(other.api_, nullptr)), list_(std::exchange(other.list_, 0)) {}
    ItemList& operator=(ItemList&& other) noexcept {
        if (this != &other) {
            Free();
            api_ = std::exchange(other.api_, nullptr);
            list_ = std::exchange(other.list_, 0);
        }
        return *this;
    }

    // Shows the folder browser; an empty owner when the user cancelled.
    [[nodiscard]] static ItemList Browse(ShellApi& api, BrowseInfo& info) {
        const std::optional<RawItemList> chosen = api.BrowseFolder(info);
        if (!chosen) {
            return {};
        }
        return {api, *chosen};
    }

    bool valid() const { return api_ != nullptr; }
    RawItemList get() const { return list_; }

    // Frees the list; safe to call twice.
    void Free() {
        if (api_ != nullptr) {
            api_->FreeItemList(list_);
            api_ = nullptr;
            list_ = 0;
        }
    }

private:
    ShellApi* api_ = nullptr;
    RawItemList list_ = 0;
};

}  // namespace shell
