#include "toolkit/text.h"

namespace toolkit {

std::u16string Decimal(std::int64_t number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

}  // namespace toolkit
