#include "toolkit/error.h"

#include <exception>
#include <new>

namespace toolkit {

std::string Describe(std::int32_t number) {
    switch (number) {
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case 9:
            return "Subscript out of range";
        case kTypeMismatch:
            return "Type mismatch";
        case kInternalError:
            return "Internal error";
        default:
            return "Application-defined or object-defined error";
    }
}

void ReportCurrentError(Platform& platform, std::string_view title) noexcept {
    std::int32_t number = kInternalError;
    try {
        throw;
    } catch (const Error& error) {
        number = error.number;
    } catch (const std::bad_alloc&) {
        number = kOutOfMemory;
    } catch (...) {
    }
    try {
        platform.ShowMessage("Error: " + std::to_string(number) + ". " + Describe(number),
                             std::string(title));
    } catch (...) {
        // Not even the report could be shown (no memory for its text): nothing more to do.
    }
}

}  // namespace toolkit
