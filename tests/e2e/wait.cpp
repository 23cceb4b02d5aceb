#include "tests/e2e/wait.h"

namespace e2e {

void PumpFor(std::chrono::milliseconds slice) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(slice.count()), QS_ALLINPUT);
}

}  // namespace e2e
