// A window base that owns its HWND and sees its messages through a subclass. Notifications a
// control sends to its parent come back to the control's own object (RouteNotification).
#pragma once

#include <windows.h>

#include "toolkit/win32/handles.h"

namespace toolkit::win32 {

class Wnd {
public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;
    // The subclass follows the object: the moved-to object receives the messages.
    Wnd(Wnd&& other) noexcept;
    Wnd& operator=(Wnd&& other) noexcept;

    HWND hwnd() const { return window_.get(); }

    // Takes ownership of `window` and routes its messages through WndProc. Returns false, and
    // leaves this object unchanged, when `window` is null or cannot be subclassed.
    [[nodiscard]] bool Attach(HWND window);
    // Gives up the window without destroying it; its messages no longer reach this object.
    HWND Detach();
    // Destroys the window now; safe to call twice.
    void Destroy();

    // The object attached to `window`, or nullptr.
    static Wnd* FromHandle(HWND window);

    // A WM_COMMAND notification this window sent to its parent.
    virtual void OnCommand(WORD /*code*/) {}
    // A WM_NOTIFY notification this window sent to its parent; true when handled.
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }

protected:
    // Every message of the window; the default passes it on unchanged.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own processing of a message, as if this object were not there.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    void Unhook();
    bool Hook();

    UniqueWindow window_;
};

// Hands WM_COMMAND and WM_NOTIFY that a parent received to the object of the control that
// sent them. Returns true, with `result` set, when that object took the message.
bool RouteNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace toolkit::win32
