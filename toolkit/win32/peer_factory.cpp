#include "toolkit/win32/peer_factory.h"

#include "toolkit/win32/button_peers.h"
#include "toolkit/win32/label_peer.h"
#include "toolkit/win32/list_box_peer.h"
#include "toolkit/win32/text_box_peer.h"

namespace toolkit::win32 {

namespace {

std::unique_ptr<NativeControl> PeerFor(Control& control, PlatformServices& services) {
    switch (control.kind()) {
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxPeer>(static_cast<CheckBox&>(control), services);
        case ControlKind::TextBox:
            return std::make_unique<TextBoxPeer>(static_cast<TextBox&>(control), services);
        case ControlKind::Label:
            return std::make_unique<LabelPeer>(static_cast<Label&>(control), services);
        case ControlKind::PushButton:
            return std::make_unique<PushButtonPeer>(static_cast<PushButton&>(control), services);
        case ControlKind::Frame:
            return std::make_unique<FramePeer>(static_cast<Frame&>(control), services);
        case ControlKind::ListBox:
            return std::make_unique<ListBoxPeer>(static_cast<ListBox&>(control), services);
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<NativeControl> CreatePeer(Control& control, const PeerPlace& place,
                                          PlatformServices& services) {
    auto peer = PeerFor(control, services);
    if (peer == nullptr || !peer->Create(place)) {
        return nullptr;
    }
    control.AttachPeer(peer.get());
    return peer;
}

}  // namespace toolkit::win32
