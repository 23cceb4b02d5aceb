// The real window of one control: created from its design state, mirrors every change of it,
// and turns what the user does to it into the control's user actions.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_map>

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

class NativeControl;

// Which object answers each of the program's windows, kept in the program's own memory. Data
// kept in a window (GWLP_USERDATA, properties, extra bytes) can be overwritten by any other
// program, so no window procedure takes its object from there. A procedure gets nothing but the
// window's handle, and runs on the thread that made the window: so the map that the host window
// owns is this thread's map for as long as it lives, and the procedures look there.
class WindowMap {
public:
    explicit WindowMap(Host& host) : host_(host), outer_(current_) { current_ = this; }
    ~WindowMap() { current_ = outer_; }
    WindowMap(const WindowMap&) = delete;
    WindowMap& operator=(const WindowMap&) = delete;

    static WindowMap* OfThisThread() { return current_; }
    Host& host() const { return host_; }
    void Add(HWND window, NativeControl* native) { natives_[window] = native; }
    void Remove(HWND window) { natives_.erase(window); }
    // The control of `window`, or nullptr.
    NativeControl* Find(HWND window) const {
        const auto found = natives_.find(window);
        return found == natives_.end() ? nullptr : found->second;
    }

private:
    Host& host_;
    std::unordered_map<HWND, NativeControl*> natives_;
    WindowMap* outer_;  // this thread's map again once this one goes
    static inline thread_local WindowMap* current_ = nullptr;
};

// A tooltip window for `owner`'s controls: texts shown as they are (an "&" is no mnemonic),
// wrapped at `width` pixels.
HWND CreateTooltip(HWND owner, int width);

// Shows `tooltip` the mouse message that `window` got: it finds the tool under the pointer.
void RelayToTooltip(HWND tooltip, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class NativeControl final : public Peer {
public:
    // `tooltip` shows the text box's text or any other control's tooltip, when it has one.
    // The control answers its window's messages through `windows`.
    NativeControl(Control& control, WindowMap& windows, HWND parent, int id, RECT place, HFONT font,
                  HWND tooltip);
    ~NativeControl();
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The name a screen reader says instead of the caption, for a caption that is punctuation.
    void SetAccessibleName(std::u16string name) { accessibleName_ = std::move(name); }

    void Refresh(const Control& control) override;
    // Moves the control to `place` in its container.
    void Place(RECT place);

    // A notification that this control sent its window (BN_CLICKED, EN_CHANGE, ...). What it
    // sends while it mirrors the control's own change is no user's doing.
    void OnNotify(WORD code);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    TTTOOLINFOW Tool(bool whileDisabled) const;

    Control& control_;
    WindowMap& windows_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    bool hasTool_ = false;        // shows the text box's text or the control's tooltip
    WNDPROC previous_ = nullptr;  // the control class's own procedure
    bool refreshing_ = false;     // our own BM_SETCHECK or WM_SETTEXT under way
    std::u16string accessibleName_;
};

}  // namespace toolkit::win32
