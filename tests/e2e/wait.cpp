#include "tests/e2e/wait.h"

#include "tests/e2e/driver_options.h"

namespace e2e {

std::chrono::steady_clock::time_point WaitEnd(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    return end < RunDeadline() ? end : RunDeadline();
}

void PumpFor(std::chrono::milliseconds slice) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(slice.count()), QS_ALLINPUT);
}

}  // namespace e2e
