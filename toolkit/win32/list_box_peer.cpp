#include "toolkit/win32/list_box_peer.h"

#include "toolkit/win32/text_encoding.h"

namespace toolkit::win32 {

bool ListBoxPeer::Create(const PeerPlace& place) {
    return CreateWindowOf(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          WS_EX_CLIENTEDGE, place);
}

void ListBoxPeer::ShowItems(const std::vector<std::string>& items) {
    if (hwnd() == nullptr) {
        return;
    }
    SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
        const std::wstring wide = Widen(item);
        SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

void ListBoxPeer::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE) {
        Dispatch([this] { list_.UserClick(); });
    }
}

}  // namespace toolkit::win32
