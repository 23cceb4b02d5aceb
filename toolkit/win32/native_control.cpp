#include "toolkit/win32/native_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include "toolkit/error.h"
#include "toolkit/win32/accessible_name.h"

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

}  // namespace

std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return FromWide(text.c_str());
}

HWND CreateTooltip(HWND owner, int width) {
    const HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX,
                                         0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, width);
    return tooltip;
}

NativeControl::NativeControl(Control& control, WindowMap& windows, HWND parent, int id, RECT place,
                             HFONT font, HWND tooltip)
    : control_(control), windows_(windows) {
    const ClassAndStyle cls = ClassFor(control.kind());
    hwnd_ = CreateWindowExW(cls.exStyle, cls.className, Wide(control.text()),
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
    windows_.Add(hwnd_, this);
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeControl::WindowProc)));
    tooltip_ = tooltip;
    if (tooltip != nullptr && (control.kind() == Kind::TextBox || !control.tooltip().empty())) {
        // The subclass relays the mouse to the tooltip, for the same reason.
        hasTool_ = true;
        for (const bool whileDisabled : {false, true}) {
            TTTOOLINFOW tool = Tool(whileDisabled);
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    control_.AttachPeer(this);
}

NativeControl::~NativeControl() {
    control_.AttachPeer(nullptr);
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);  // while this object still answers its messages
        windows_.Remove(hwnd_);
    }
}

void NativeControl::Refresh(const Control& control) {
    if (hwnd_ == nullptr) {
        return;
    }
    refreshing_ = true;
    const OnExit done{[this] { refreshing_ = false; }};
    if ((IsWindowEnabled(hwnd_) != FALSE) != control.enabled()) {
        EnableWindow(hwnd_, control.enabled() ? TRUE : FALSE);
    }
    if (control.kind() == Kind::CheckBox) {
        const WPARAM check = control.value() == 1 ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0)) != check) {
            SendMessageW(hwnd_, BM_SETCHECK, check, 0);
        }
    }
    // The text the user is editing is the control's already: it is never written back.
    if (WindowText(hwnd_) != control.text()) {
        SetWindowTextW(hwnd_, Wide(control.text()));
    }
    if (hasTool_) {
        for (const bool whileDisabled : {false, true}) {
            TTTOOLINFOW tool = Tool(whileDisabled);
            SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

void NativeControl::Place(RECT place) {
    SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (hasTool_) {
        TTTOOLINFOW tool = Tool(true);
        SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// A disabled window gets no mouse message: the pointer over it is its container's, and the
// tooltip looks there too (WindowFromPoint skips disabled windows). So a control has one tool
// for the pointer over it, and one for the pointer over its place in the container, which
// relays its own mouse.
TTTOOLINFOW NativeControl::Tool(bool whileDisabled) const {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = GetParent(hwnd_);
    tool.lpszText = const_cast<wchar_t*>(Wide(control_.tooltip()));
    if (whileDisabled) {
        tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
        GetWindowRect(hwnd_, &tool.rect);
        MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    } else {
        tool.uFlags = TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    }
    return tool;
}

void RelayToTooltip(HWND tooltip, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relayed{window, message, wParam, lParam, 0, {}};
        SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
}

void NativeControl::OnNotify(WORD code) {
    if (refreshing_) {
        return;
    }
    if (code == BN_CLICKED || code == LBN_SELCHANGE) {
        windows_.host().UserAction(control_, [this] { control_.UserClick(); });
    } else if (code == EN_CHANGE) {
        windows_.host().UserAction(control_, [this] { control_.UserEdit(WindowText(hwnd_)); });
    }
}

LRESULT CALLBACK NativeControl::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    const WindowMap* windows = WindowMap::OfThisThread();
    NativeControl* native = windows != nullptr ? windows->Find(window) : nullptr;
    if (native == nullptr) {  // no window is subclassed without its entry: never happens
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return native->OnMessage(message, wParam, lParam);
    } catch (...) {  // nothing is thrown across the platform
        windows->host().ReportFailure();
        return 0;
    }
}

LRESULT NativeControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hasTool_ || control_.kind() == Kind::Frame) {
        RelayToTooltip(tooltip_, hwnd_, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCHITTEST:
            // A group box lets the pointer through to the window; the frame keeps it, so that
            // the pointer over a disabled control in it reaches the tooltip.
            if (control_.kind() == Kind::Frame) {
                return HTCLIENT;
            }
            break;
        case WM_GETOBJECT:
            if (!accessibleName_.empty() && static_cast<LONG>(lParam) == OBJID_CLIENT) {
                return AnswerWithName(hwnd_, wParam, accessibleName_);
            }
            break;
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            // A frame's controls notify the frame: the window answers them.
            if (control_.kind() == Kind::Frame) {
                return SendMessageW(GetAncestor(hwnd_, GA_ROOT), message, wParam, lParam);
            }
            break;
        case WM_ERASEBKGND:
            // A group box draws only its border and caption: the inside is the frame's to fill.
            if (control_.kind() == Kind::Frame) {
                RECT inside{};
                GetClientRect(hwnd_, &inside);
                FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
                return 1;
            }
            break;
        case WM_CHAR:
            if (control_.kind() == Kind::TextBox && control_.onKeyPress) {
                auto code = static_cast<std::int16_t>(wParam);
                windows_.host().UserAction(control_, [&] { code = control_.UserKeyPress(code); });
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
            const LRESULT result = CallWindowProcW(previous_, hwnd_, message, wParam, lParam);
            RECT client{};
            GetClientRect(hwnd_, &client);
            if (control_.onMouseUp &&
                PtInRect(&client, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
                windows_.host().UserAction(control_, [this] { control_.UserMouseUp(); });
            }
            return result;
        }
        default:
            break;
    }
    return CallWindowProcW(previous_, hwnd_, message, wParam, lParam);
}

}  // namespace toolkit::win32
