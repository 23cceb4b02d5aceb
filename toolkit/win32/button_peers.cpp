#include "toolkit/win32/button_peers.h"

#include <windowsx.h>

#include "toolkit/win32/handles.h"

namespace toolkit::win32 {

namespace {

constexpr int kTwipsPerInch = 1440;

int ScreenDpi() {
    ScreenDC screen;
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

MouseEvent MouseUpEvent(UINT message, WPARAM keys, LPARAM position, int dpi) {
    MouseEvent event;
    switch (message) {
        case WM_RBUTTONUP:
            event.button = 2;
            break;
        case WM_MBUTTONUP:
            event.button = 4;
            break;
        default:
            event.button = 1;
            break;
    }
    event.shift = ((keys & MK_SHIFT) != 0 ? 1 : 0) | ((keys & MK_CONTROL) != 0 ? 2 : 0) |
                  (GetKeyState(VK_MENU) < 0 ? 4 : 0);
    event.x = static_cast<float>(GET_X_LPARAM(position)) * kTwipsPerInch / static_cast<float>(dpi);
    event.y = static_cast<float>(GET_Y_LPARAM(position)) * kTwipsPerInch / static_cast<float>(dpi);
    return event;
}

bool CheckBoxPeer::Create(const PeerPlace& place) {
    return CreateWindowOf(L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0, place);
}

void CheckBoxPeer::ShowValue(int value) {
    if (hwnd() == nullptr) {
        return;
    }
    const WPARAM state = value == 0 ? BST_UNCHECKED : value == 1 ? BST_CHECKED : BST_INDETERMINATE;
    SendMessageW(hwnd(), BM_SETCHECK, state, 0);
}

void CheckBoxPeer::OnCommand(WORD code) {
    if (code == BN_CLICKED) {
        Dispatch([this] { box_.UserClick(); });
    }
}

LRESULT CheckBoxPeer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            // The button finishes its click first (BN_CLICKED, capture released), so a box
            // the mouse-up hook shows cannot swallow the click.
            const LRESULT result = Default(message, wParam, lParam);
            const MouseEvent event = MouseUpEvent(message, wParam, lParam, ScreenDpi());
            Dispatch([this, &event] { box_.UserMouseUp(event); });
            return result;
        }
        default:
            return Default(message, wParam, lParam);
    }
}

bool PushButtonPeer::Create(const PeerPlace& place) {
    return CreateWindowOf(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, place);
}

void PushButtonPeer::OnCommand(WORD code) {
    if (code == BN_CLICKED) {
        Dispatch([this] { button_.UserClick(); });
    }
}

bool FramePeer::Create(const PeerPlace& place) {
    return CreateWindowOf(L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, place);
}

LRESULT FramePeer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return SendMessageW(GetParent(hwnd()), message, wParam, lParam);
        case WM_ERASEBKGND: {
            // A group box draws only its border and caption; with its parent clipping its
            // children, the inside is the frame's own to fill, around its children.
            auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
                GetParent(hwnd()), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(hwnd())));
            if (brush == nullptr) {
                brush = GetSysColorBrush(COLOR_BTNFACE);
            }
            RECT inside{};
            GetClientRect(hwnd(), &inside);
            FillRect(reinterpret_cast<HDC>(wParam), &inside, brush);
            return 1;
        }
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace toolkit::win32
