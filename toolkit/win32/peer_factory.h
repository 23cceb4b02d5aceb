// Makes the native peer of any portable control and attaches it.
#pragma once

#include <memory>

#include "toolkit/win32/native_control.h"

namespace toolkit::win32 {

// Creates the window for `control` at `place` and attaches it as the control's peer, which
// shows the control's current state at once. Nothing when the system refused the window.
std::unique_ptr<NativeControl> CreatePeer(Control& control, const PeerPlace& place,
                                          PlatformServices& services);

}  // namespace toolkit::win32
