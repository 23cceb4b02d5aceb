// The native controls of the BUTTON class: check box, push button and frame (group box).
#pragma once

#include "toolkit/win32/native_control.h"

namespace toolkit::win32 {

// BS_CHECKBOX, not an automatic one: the portable box alone decides its state, so a click
// only asks it to toggle and BM_SETCHECK only mirrors the result.
class CheckBoxPeer : public NativeControl {
public:
    CheckBoxPeer(CheckBox& box, PlatformServices& services)
        : NativeControl(box, services), box_(box) {}

    [[nodiscard]] bool Create(const PeerPlace& place) override;
    void ShowValue(int value) override;
    void OnCommand(WORD code) override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CheckBox& box_;
};

class PushButtonPeer : public NativeControl {
public:
    PushButtonPeer(PushButton& button, PlatformServices& services)
        : NativeControl(button, services), button_(button) {}

    [[nodiscard]] bool Create(const PeerPlace& place) override;
    void OnCommand(WORD code) override;

private:
    PushButton& button_;
};

// A group box that is the parent of the controls inside it. Their notifications and colour
// requests reach the frame, which hands them on to its own parent, up to the window that
// routes them; Tab walks into it (WS_EX_CONTROLPARENT).
class FramePeer : public NativeControl {
public:
    FramePeer(Frame& frame, PlatformServices& services) : NativeControl(frame, services) {}

    [[nodiscard]] bool Create(const PeerPlace& place) override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The mouse event of a WM_?BUTTONUP with its key state and position in pixels; positions
// become twips at `dpi`.
MouseEvent MouseUpEvent(UINT message, WPARAM keys, LPARAM position, int dpi);

}  // namespace toolkit::win32
