// A single-line edit without a length limit, with its own tooltip control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "toolkit/win32/native_control.h"

namespace toolkit::win32 {

class TextBoxPeer : public NativeControl {
public:
    TextBoxPeer(TextBox& box, PlatformServices& services)
        : NativeControl(box, services), box_(box) {}
    ~TextBoxPeer() override;

    [[nodiscard]] bool Create(const PeerPlace& place) override;
    // Shows text the program set: the edit's own EN_CHANGE for it never reaches the box,
    // which has already run its change handler.
    void ShowText(const std::string& text) override;
    void ShowTooltip(const std::string& text) override;
    // EN_CHANGE from the user's editing: the box gets the edit's whole text.
    void OnCommand(WORD code) override;

    HWND tooltip() const { return tooltip_.hwnd(); }

protected:
    // WM_CHAR passes the box's key-press hook first; a code of 0 discards the key.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TOOLINFOW ToolInfo(const wchar_t* text) const;

    TextBox& box_;
    Wnd tooltip_;
    bool showingText_ = false;
};

}  // namespace toolkit::win32
