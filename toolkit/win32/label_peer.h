// A label: static text that the user cannot act on.
#pragma once

#include "toolkit/win32/native_control.h"

namespace toolkit::win32 {

class LabelPeer : public NativeControl {
public:
    LabelPeer(Label& label, PlatformServices& services) : NativeControl(label, services) {}

    // Left-aligned text that wraps at words; an "&" is shown as it is.
    [[nodiscard]] bool Create(const PeerPlace& place) override;
};

}  // namespace toolkit::win32
