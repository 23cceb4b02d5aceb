// The program's one kind of failure: an error number with the platform's description.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace toolkit {

// Error numbers the program raises or names.
enum ErrorNumber : std::int32_t {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kCancelSelected = 32755,
};

// The platform's description of an error number ("Type mismatch" for 13).
std::string DescribeError(std::int32_t number);

class Error : public std::runtime_error {
public:
    // An error with the platform's description of its number.
    explicit Error(std::int32_t number);
    Error(std::int32_t number, std::string description);

    std::int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

private:
    std::int32_t number_;
    std::string description_;
};

}  // namespace toolkit
