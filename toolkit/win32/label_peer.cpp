#include "toolkit/win32/label_peer.h"

namespace toolkit::win32 {

bool LabelPeer::Create(const PeerPlace& place) {
    return CreateWindowOf(L"STATIC", SS_LEFT | SS_NOPREFIX, 0, place);
}

}  // namespace toolkit::win32
