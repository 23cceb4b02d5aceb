#include "toolkit/error.h"

#include <exception>
#include <new>

#include "toolkit/text.h"

namespace toolkit {

std::u16string Describe(std::int32_t number) {
    switch (number) {
        case kOverflow:
            return u"Overflow";
        case kOutOfMemory:
            return u"Out of memory";
        case kTypeMismatch:
            return u"Type mismatch";
        case kInternalError:
            return u"Internal error";
        default:
            return u"Application-defined or object-defined error";
    }
}

void ReportCurrentError(Platform& platform, std::u16string_view title) noexcept {
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
        platform.ShowMessage(u"Error: " + Decimal(number) + u". " + Describe(number),
                             std::u16string(title));
    } catch (...) {
        // Not even the report could be shown (no memory for its text): nothing more to do.
    }
}

}  // namespace toolkit
