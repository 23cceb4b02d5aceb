#include "toolkit/win32/handler_dispatch.h"

#include <exception>
#include <new>

#include "toolkit/error_report.h"

namespace toolkit::win32 {

namespace {
constexpr std::int32_t kInternalError = 51;
}  // namespace

void RunHandler(PlatformServices& services, const std::function<void()>& handler) noexcept {
    try {
        try {
            handler();
        } catch (const Error& error) {
            ShowErrorReport(services, kDispatchTitle, error);
        } catch (const std::bad_alloc&) {
            ShowErrorReport(services, kDispatchTitle, Error(kOutOfMemory));
        } catch (...) {
            ShowErrorReport(services, kDispatchTitle, Error(kInternalError));
        }
    } catch (...) {
        // The report itself failed (no memory left for its text): nothing more can be shown.
    }
}

}  // namespace toolkit::win32
