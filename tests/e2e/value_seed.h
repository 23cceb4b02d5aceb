// Seeding one registry value for a test, and putting back what was there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/registry_access.h"

namespace e2e {

// Seeds one value (or its absence) for the life of the object, then puts back what was there
// before, removing again any key that was created for it.
class ValueSeed {
public:
    ValueSeed(HKEY root, std::string path, std::string name, std::optional<StoredValue> seed);
    ValueSeed(const ValueSeed&) = delete;
    ValueSeed& operator=(const ValueSeed&) = delete;
    ~ValueSeed();

private:
    HKEY root_;
    std::string path_;
    std::string name_;
    std::optional<StoredValue> before_;
    std::optional<std::string> firstCreatedKey_;
};

}  // namespace e2e
