// The native window of frmKorvane: every control of the layout table as a child window with
// its peer attached, the fonts, focus keeping, and closing through Form_Unload.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "app/frm_korvane.h"
#include "app/layout.h"
#include "toolkit/win32/handles.h"
#include "toolkit/win32/native_control.h"
#include "toolkit/win32/wnd.h"

namespace app::win32 {

// The window class the end-to-end driver looks for.
inline constexpr const wchar_t* kWindowClass = L"KorvaneMainWindow";
inline constexpr const wchar_t* kFontFace = L"MS Sans Serif";

class MainWindow : public toolkit::win32::Wnd {
public:
    MainWindow(frmKorvane& form, toolkit::PlatformServices& services)
        : form_(form), services_(services) {}
    MainWindow(MainWindow&&) = delete;
    MainWindow& operator=(MainWindow&&) = delete;

    // Creates the window, hidden, with every control of the layout at the system DPI and its
    // peer attached. False when the system refused a window.
    [[nodiscard]] bool Create(HINSTANCE instance);

    // Shows the window with the focus in txtBackground.
    void Show();

    // Runs Form_Unload once (unless it cancels) and destroys the window, which ends the
    // message loop.
    void Close();

    // The child window of the control named `name`, or nullptr.
    HWND ControlWindow(std::string_view name) const;

    int dpi() const { return dpi_; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] bool CreateFonts();
    [[nodiscard]] bool CreateControls();
    HFONT FontFor(FontStyle style) const;

    frmKorvane& form_;
    toolkit::PlatformServices& services_;
    int dpi_ = 96;
    toolkit::win32::UniqueFont regular_;
    toolkit::win32::UniqueFont bold_;
    toolkit::win32::UniqueFont italic_;
    // One per row of kLayout, empty for the dialog component; declared after the fonts so
    // the controls go before the fonts they use.
    std::vector<std::unique_ptr<toolkit::win32::NativeControl>> peers_;
    HWND lastFocus_ = nullptr;
    bool unloaded_ = false;
};

// The message loop: dialog keys (Tab, Shift+Tab) move the focus inside `window`. Returns the
// exit code of WM_QUIT.
int RunMessageLoop(HWND window);

}  // namespace app::win32
