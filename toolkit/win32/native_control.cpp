#include "toolkit/win32/native_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include "toolkit/text.h"

namespace toolkit::win32 {

namespace {

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle ClassFor(Kind kind) {
    switch (kind) {
        case Kind::TextBox:
            return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case Kind::CheckBox:
            return {L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0};
        case Kind::PushButton:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case Kind::Frame:
            // A container: its controls' tabs and notifications pass through it.
            return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case Kind::ListBox:
            return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
        case Kind::Label:
            break;
    }
    return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
}

HWND TopLevel(HWND window) {
    return GetAncestor(window, GA_ROOT);
}

}  // namespace

std::wstring Widen(const std::string& utf8) {
    const std::u16string text = ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& utf16) {
    return ToUtf8(std::u16string(utf16.begin(), utf16.end()));
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

NativeControl::NativeControl(Control& control, HWND parent, int id, RECT place, HFONT font,
                             HWND tooltip)
    : control_(control), tooltip_(tooltip) {
    const ClassAndStyle cls = ClassFor(control.kind());
    hwnd_ = CreateWindowExW(cls.exStyle, cls.className, Widen(control.text()).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return;
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.kind() == Kind::TextBox) {
        SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);  // no limit
    }
    // A plain subclass: comctl32's looks its data up in a window property on every message,
    // which under Wine is a round trip to the server each time and made start-up slow.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeControl::WindowProc)));
    if (control.kind() == Kind::TextBox && tooltip_ != nullptr) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    control_.AttachPeer(this);
}

NativeControl::~NativeControl() {
    control_.AttachPeer(nullptr);
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);  // while this object still answers its messages
    }
}

void NativeControl::Refresh(const Control& control) {
    if (hwnd_ == nullptr) {
        return;
    }
    refreshing_ = true;
    if ((IsWindowEnabled(hwnd_) != FALSE) != control.enabled()) {
        EnableWindow(hwnd_, control.enabled() ? TRUE : FALSE);
    }
    if (control.kind() == Kind::CheckBox) {
        const WPARAM check = control.value() == 1 ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0)) != check) {
            SendMessageW(hwnd_, BM_SETCHECK, check, 0);
        }
    }
    const std::wstring text = Widen(control.text());
    if (WindowText(hwnd_) != text) {
        SetWindowTextW(hwnd_, text.c_str());
    }
    if (control.kind() == Kind::TextBox && tooltip_ != nullptr) {
        const std::wstring tip = Widen(control.tooltip());
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = GetParent(hwnd_);
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
        tool.lpszText = const_cast<wchar_t*>(tip.c_str());
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    refreshing_ = false;
}

void NativeControl::OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kKeyPressMessage) {
        auto& code = *reinterpret_cast<std::int16_t*>(lParam);
        code = control_.UserKeyPress(code);
    } else if (message == kMouseUpMessage) {
        control_.UserMouseUp();
    } else if (message == WM_COMMAND && !refreshing_) {
        const WORD code = HIWORD(wParam);
        if (code == BN_CLICKED || code == LBN_SELCHANGE) {
            control_.UserClick();
        } else if (code == EN_CHANGE) {
            control_.UserEdit(Narrow(WindowText(hwnd_)));
        }
    }
}

LRESULT CALLBACK NativeControl::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* native = reinterpret_cast<NativeControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const auto id = static_cast<WPARAM>(GetDlgCtrlID(window));
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            // A frame's controls notify the frame: the window answers them.
            if (native->control_.kind() == Kind::Frame) {
                return SendMessageW(TopLevel(window), message, wParam, lParam);
            }
            break;
        case WM_ERASEBKGND:
            // A group box draws only its border and caption: the inside is the frame's to fill.
            if (native->control_.kind() == Kind::Frame) {
                RECT inside{};
                GetClientRect(window, &inside);
                FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
                return 1;
            }
            break;
        case WM_CHAR:
            if (native->control_.kind() == Kind::TextBox && native->control_.onKeyPress) {
                std::int16_t code = static_cast<std::int16_t>(wParam);
                SendMessageW(TopLevel(window), kKeyPressMessage, id,
                             reinterpret_cast<LPARAM>(&code));
                if (code == 0) {
                    return 0;
                }
                wParam = static_cast<WPARAM>(static_cast<std::uint16_t>(code));
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            // The button holds the mouse while pressed: only a release over it counts.
            const LRESULT result =
                CallWindowProcW(native->previous_, window, message, wParam, lParam);
            RECT client{};
            GetClientRect(window, &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (native->control_.onMouseUp && PtInRect(&client, at)) {
                SendMessageW(TopLevel(window), kMouseUpMessage, id, 0);
            }
            return result;
        }
        default:
            break;
    }
    return CallWindowProcW(native->previous_, window, message, wParam, lParam);
}

}  // namespace toolkit::win32
