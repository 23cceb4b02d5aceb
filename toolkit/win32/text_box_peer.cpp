#include "toolkit/win32/text_box_peer.h"

#include <cstdint>

#include "toolkit/win32/text_encoding.h"

namespace toolkit::win32 {

TextBoxPeer::~TextBoxPeer() {
    if (tooltip_.hwnd() != nullptr && hwnd() != nullptr) {
        TOOLINFOW tool = ToolInfo(nullptr);
        SendMessageW(tooltip_.hwnd(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

TOOLINFOW TextBoxPeer::ToolInfo(const wchar_t* text) const {
    TOOLINFOW tool{};
    // The older size: accepted by every comctl32, with or without the version 6 manifest.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(hwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

bool TextBoxPeer::Create(const PeerPlace& place) {
    if (!CreateWindowOf(L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, place)) {
        return false;
    }
    // No limit: 0 asks for the largest the edit can hold.
    SendMessageW(hwnd(), EM_SETLIMITTEXT, 0, 0);

    HWND tip = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        GetAncestor(place.parent, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tip == nullptr || !tooltip_.Attach(tip)) {
        if (tip != nullptr) {
            DestroyWindow(tip);
        }
        return false;
    }
    TOOLINFOW tool = ToolInfo(L"");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

void TextBoxPeer::ShowText(const std::string& text) {
    if (hwnd() == nullptr) {
        return;
    }
    showingText_ = true;
    SetWindowTextW(hwnd(), Widen(text).c_str());
    showingText_ = false;
}

void TextBoxPeer::ShowTooltip(const std::string& text) {
    if (tooltip_.hwnd() == nullptr) {
        return;
    }
    const std::wstring wide = Widen(text);
    TOOLINFOW tool = ToolInfo(wide.c_str());
    SendMessageW(tooltip_.hwnd(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TextBoxPeer::OnCommand(WORD code) {
    if (code == EN_CHANGE && !showingText_) {
        Dispatch([this] { box_.UserEdit(ReadText()); });
    }
}

LRESULT TextBoxPeer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CHAR) {
        return Default(message, wParam, lParam);
    }
    if (!box_.enabled()) {
        return 0;
    }
    // A hook that fails lets nothing through: a filter that broke must not pass its key.
    std::int16_t code = 0;
    Dispatch([this, &code, wParam] {
        code = box_.UserKeyPress(static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam)));
    });
    if (code == 0) {
        return 0;
    }
    return Default(WM_CHAR, static_cast<WPARAM>(static_cast<std::uint16_t>(code)), lParam);
}

}  // namespace toolkit::win32
