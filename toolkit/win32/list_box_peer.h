// A list box; choosing an item is its click.
#pragma once

#include "toolkit/win32/native_control.h"

namespace toolkit::win32 {

class ListBoxPeer : public NativeControl {
public:
    ListBoxPeer(ListBox& list, PlatformServices& services)
        : NativeControl(list, services), list_(list) {}

    [[nodiscard]] bool Create(const PeerPlace& place) override;
    void ShowItems(const std::vector<std::string>& items) override;
    // LBN_SELCHANGE, sent for the user's choice only.
    void OnCommand(WORD code) override;

private:
    ListBox& list_;
};

}  // namespace toolkit::win32
