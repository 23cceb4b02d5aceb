// The real main window, made from the layout table around the form's controls.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/frm_korvane.h"
#include "app/layout.h"
#include "app/win32/win32_platform.h"
#include "toolkit/error.h"
#include "toolkit/win32/native_control.h"

namespace app::win32 {

class MainWindow final : public toolkit::win32::Host {
public:
    // The window menu's own commands, below the system's (0xF000 and up).
    static constexpr UINT kUndoCommand = 0x10, kImportCommand = 0x20, kExportCommand = 0x30;

    MainWindow(frmKorvane& form, Win32Platform& platform)
        : form_(form), platform_(platform), windows_(*this) {}
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The window and every control in its design state, not yet shown.
    bool Create();
    // Shows the window with the focus in the first control of the Tab order.
    void Show();
    // Runs the form's unload once, then destroys the window.
    void Close();
    HWND hwnd() const { return hwnd_; }

    void UserAction(Control& control, const std::function<void()>& action) noexcept override {
        form_.UserAction(control, action);
    }
    void ReportFailure() noexcept override { toolkit::ReportCurrentError(platform_, u"Korvane"); }

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
    struct Fonts {
        UniqueFont regular, bold, italic;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    toolkit::win32::NativeControl* Find(int id) const;
    static Fonts MakeFonts(int dpi);
    HFONT FontOf(const LayoutRow& row) const;
    // Every control again at its place and in its font, and the tooltip's width, for `dpi`.
    void LayOut(int dpi);
    // WM_DPICHANGED: `suggested` points at the frame's new place, in this program's memory.
    void OnDpiChanged(WPARAM dpis, LPARAM suggested);

    frmKorvane& form_;
    Win32Platform& platform_;
    toolkit::win32::WindowMap windows_;  // goes last, after every window in it
    HWND hwnd_ = nullptr;
    bool creating_ = false;  // the window's first messages come before CreateWindowEx returns
    Fonts fonts_;
    HWND tooltip_ = nullptr;  // destroyed with the window, which owns it
    std::vector<std::unique_ptr<toolkit::win32::NativeControl>> natives_;  // in layout order
    HWND lastFocus_ = nullptr;  // where the focus goes back to when the window is reactivated
};

// The message loop, with the keyboard's dialog navigation (Tab, arrows) for `window`.
int RunMessageLoop(HWND window);

}  // namespace app::win32
