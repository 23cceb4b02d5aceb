// Waiting for another process without ever hanging: every wait has a limit, and the driver's
// own messages keep flowing meanwhile.
#pragma once

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace e2e {

using namespace std::chrono_literals;

// Limits, generous for a loaded machine: they only bound a hang, they assert nothing.
inline constexpr std::chrono::milliseconds kStartLimit = 60s;
inline constexpr std::chrono::milliseconds kReactLimit = 20s;
inline constexpr std::chrono::milliseconds kExitLimit = 30s;
inline constexpr std::chrono::milliseconds kSendLimit = 10s;

// A failure of the driver itself (a window that never came, a call that failed): the test
// that ran into it fails with this description.
class HarnessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs the driver's own pending messages, then sleeps up to `slice` or until a message comes.
void PumpFor(std::chrono::milliseconds slice);

// The end of a wait of `limit` from now, but never past the run's deadline.
std::chrono::steady_clock::time_point WaitEnd(std::chrono::milliseconds limit);

// Polls `done` until it holds or `limit` has passed; true when it held.
template <class Predicate>
bool WaitUntil(Predicate done, std::chrono::milliseconds limit) {
    const auto end = WaitEnd(limit);
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        PumpFor(20ms);
    }
}

// As WaitUntil, but a timeout is a HarnessError naming `what`.
template <class Predicate>
void Await(Predicate done, std::chrono::milliseconds limit, const std::string& what) {
    if (!WaitUntil(done, limit)) {
        throw HarnessError("timed out waiting for " + what);
    }
}

}  // namespace e2e
