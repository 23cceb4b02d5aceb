// The native mirror of one portable control: a child window that shows the control's state
// and turns the user's actions on it into the control's User* calls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/controls.h"
#include "toolkit/services.h"
#include "toolkit/win32/wnd.h"

namespace toolkit::win32 {

// Where a native control goes: its parent, its control ID, its place in pixels inside the
// parent's client area, and its font (owned by the caller, alive as long as the control).
struct PeerPlace {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HFONT font = nullptr;
};

class NativeControl : public Wnd, public ControlPeer {
public:
    NativeControl(Control& control, PlatformServices& services)
        : control_(control), services_(services) {}
    // Detaches from the portable control before the window goes.
    ~NativeControl() override;
    // The portable control points at this object: it stays where it is.
    NativeControl(NativeControl&&) = delete;
    NativeControl& operator=(NativeControl&&) = delete;

    Control& control() const { return control_; }

    // Makes the window at `place`; false when the system refused.
    [[nodiscard]] virtual bool Create(const PeerPlace& place) = 0;

    void ShowEnabled(bool enabled) override;
    void ShowCaption(const std::string& caption) override;

protected:
    // Creates the window of `className` with WS_CHILD | WS_VISIBLE added to `style`, attaches
    // it and sets the font.
    [[nodiscard]] bool CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle,
                                      const PeerPlace& place);
    // Runs a toolkit call made for the user; nothing it throws leaves the window procedure.
    void Dispatch(const std::function<void()>& userAction);
    // The window's text in UTF-8.
    std::string ReadText() const;

private:
    Control& control_;
    PlatformServices& services_;
};

}  // namespace toolkit::win32
