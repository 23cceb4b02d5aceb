#include "toolkit/win32/native_control.h"

#include "toolkit/win32/handler_dispatch.h"
#include "toolkit/win32/text_encoding.h"

namespace toolkit::win32 {

NativeControl::~NativeControl() {
    if (control_.peer() == this) {
        control_.AttachPeer(nullptr);
    }
}

void NativeControl::ShowEnabled(bool enabled) {
    if (hwnd() != nullptr) {
        EnableWindow(hwnd(), enabled ? TRUE : FALSE);
    }
}

void NativeControl::ShowCaption(const std::string& caption) {
    if (hwnd() != nullptr) {
        SetWindowTextW(hwnd(), Widen(caption).c_str());
    }
}

bool NativeControl::CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle,
                                   const PeerPlace& place) {
    HWND window =
        CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                        place.x, place.y, place.width, place.height, place.parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        return false;
    }
    if (!Attach(window)) {
        DestroyWindow(window);
        return false;
    }
    if (place.font != nullptr) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(place.font), FALSE);
    }
    return true;
}

void NativeControl::Dispatch(const std::function<void()>& userAction) {
    RunHandler(services_, userAction);
}

std::string NativeControl::ReadText() const {
    const int length = GetWindowTextLengthW(hwnd());
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Narrow(text);
}

}  // namespace toolkit::win32
