// The real window of one control: created from its design state, mirrors every change of it,
// and turns what the user does to it into the control's user actions.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/controls.h"

namespace toolkit::win32 {

// Between the program's UTF-16 and Windows' wide characters, which are the same units.
inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}
std::u16string WindowText(HWND window);

// The window that holds the controls: each user action on one of them runs through it.
class Host {
public:
    virtual void UserAction(Control& control, const std::function<void()>& action) noexcept = 0;
    // Reports the failure in flight; called only inside a catch block.
    virtual void ReportFailure() noexcept = 0;

protected:
    ~Host() = default;
};

// A tooltip window for `owner`'s controls: texts shown as they are (an "&" is no mnemonic),
// wrapped at `width` pixels.
HWND CreateTooltip(HWND owner, int width);

class NativeControl final : public Peer {
public:
    // `tooltip` shows the text box's text or any other control's tooltip, when it has one.
    NativeControl(Control& control, Host& host, HWND parent, int id, RECT place, HFONT font,
                  HWND tooltip);
    ~NativeControl();
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    HWND hwnd() const { return hwnd_; }

    void Refresh(const Control& control) override;

    // A notification that this control sent its window (BN_CLICKED, EN_CHANGE, ...). What it
    // sends while it mirrors the control's own change is no user's doing.
    void OnNotify(WORD code);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    Control& control_;
    Host& host_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;      // set when the control has a tool in it
    WNDPROC previous_ = nullptr;  // the control class's own procedure
    bool refreshing_ = false;     // our own BM_SETCHECK or WM_SETTEXT under way
};

}  // namespace toolkit::win32
