// The real window of one control: created from its design state, mirrors every change of it,
// and turns what the user does to it into the control's user actions.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/controls.h"

namespace toolkit::win32 {

// Key presses and mouse releases reach the top-level window as these messages, wParam the
// control's id, so that every user action passes one window procedure. kKeyPress's lParam
// points to the character code, which the receiver may set to 0 to discard the key.
inline constexpr UINT kKeyPressMessage = WM_APP + 1;
inline constexpr UINT kMouseUpMessage = WM_APP + 2;

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::wstring WindowText(HWND window);

class NativeControl final : public Peer {
public:
    // `tooltip` is the window's tooltip control, which text boxes register with.
    NativeControl(Control& control, HWND parent, int id, RECT place, HFONT font, HWND tooltip);
    ~NativeControl();
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    HWND hwnd() const { return hwnd_; }
    Control& control() const { return control_; }
    // True while the control mirrors a change: what it notifies then is no user's doing.
    bool refreshing() const { return refreshing_; }

    void Refresh(const Control& control) override;

    // The user's action behind a message that the top-level window received for this control:
    // WM_COMMAND, kKeyPressMessage or kMouseUpMessage.
    void OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Control& control_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    WNDPROC previous_ = nullptr;  // the control class's own procedure
    bool refreshing_ = false;     // our own WM_SETTEXT: its EN_CHANGE is no user's edit
};

}  // namespace toolkit::win32
