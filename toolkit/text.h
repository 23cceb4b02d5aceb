// Text is UTF-16 inside the program, as it is in the controls and the registry: it is never
// converted, so whatever Windows hands over (a lone surrogate typed one unit at a time
// included) is kept exactly.
#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

// The decimal digits of `number`, after a minus sign when it is negative.
std::u16string Decimal(std::int64_t number);

}  // namespace toolkit
