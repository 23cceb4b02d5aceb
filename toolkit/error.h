// The program's errors (a number and the platform's description) and the one guard that shows
// them in the standard error report.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "toolkit/platform.h"

namespace toolkit {

inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kInternalError = 51;

struct Error {
    std::int32_t number;
};

// The platform's description of an error number: "Type mismatch" for 13, and so on.
std::u16string Describe(std::int32_t number);

// Shows the error report for the exception in flight, titled `title`: "Error: " number ". "
// description, OK only. Call only inside a catch block.
void ReportCurrentError(Platform& platform, std::u16string_view title) noexcept;

// Runs `body`; any failure in it is reported under `title` and ends it, and Guard returns
// normally.
template <class Body>
void Guard(Platform& platform, std::u16string_view title, Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        ReportCurrentError(platform, title);
    }
}

// Runs `undo` when the scope ends, however it ends.
template <class Undo>
class OnExit {
public:
    explicit OnExit(Undo undo) : undo_(std::move(undo)) {}
    OnExit(const OnExit&) = delete;
    OnExit& operator=(const OnExit&) = delete;
    ~OnExit() { undo_(); }

private:
    Undo undo_;
};

}  // namespace toolkit
