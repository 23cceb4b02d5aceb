// The error report: how a procedure that guards itself shows a failure.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "toolkit/error.h"
#include "toolkit/services.h"

namespace toolkit {

// The report's prompt: "Error: 13. Type mismatch".
std::string ErrorPrompt(const Error& error);

// Shows the report for `error`: the prompt, OK only, titled `title`.
void ShowErrorReport(PlatformServices& services, const std::string& title, const Error& error);

// Runs `body`; on a failure shows the report titled `title` and returns normally, so the
// caller carries on as if nothing happened. Failures that are not program errors (a
// std::bad_alloc, say) are reported as the platform's error 7.
template <typename Body>
void Guard(PlatformServices& services, const std::string& title, Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (const Error& error) {
        ShowErrorReport(services, title, error);
    } catch (const std::bad_alloc&) {
        ShowErrorReport(services, title, Error(kOutOfMemory));
    }
}

}  // namespace toolkit
