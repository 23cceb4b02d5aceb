#include "toolkit/error.h"

#include <utility>

namespace toolkit {

std::string DescribeError(std::int32_t number) {
    switch (number) {
        case 3:
            return "Return without GoSub";
        case 5:
            return "Invalid procedure call or argument";
        case 6:
            return "Overflow";
        case 7:
            return "Out of memory";
        case 9:
            return "Subscript out of range";
        case 10:
            return "This array is fixed or temporarily locked";
        case 11:
            return "Division by zero";
        case 13:
            return "Type mismatch";
        case 14:
            return "Out of string space";
        case 28:
            return "Out of stack space";
        case 35:
            return "Sub or Function not defined";
        case 48:
            return "Error in loading DLL";
        case 51:
            return "Internal error";
        case 53:
            return "File not found";
        case 91:
            return "Object variable or With block variable not set";
        case 94:
            return "Invalid use of Null";
        case 380:
            return "Invalid property value";
        case 438:
            return "Object doesn't support this property or method";
        case 32755:
            return "Cancel was selected.";
        default:
            return "Application-defined or object-defined error";
    }
}

Error::Error(std::int32_t number) : Error(number, DescribeError(number)) {}

Error::Error(std::int32_t number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

}  // namespace toolkit
