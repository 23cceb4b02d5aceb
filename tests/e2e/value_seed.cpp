#include "tests/e2e/value_seed.h"

#include <gtest/gtest.h>

#include <exception>

namespace e2e {

ValueSeed::ValueSeed(HKEY root, std::string path, std::string name, std::optional<StoredValue> seed)
    : root_(root), path_(std::move(path)), name_(std::move(name)) {
    before_ = ReadValue(root_, path_, name_);
    // The shortest level of the path that is missing: everything from there on is ours.
    for (size_t end = path_.find('\\');; end = path_.find('\\', end + 1)) {
        const std::string level = path_.substr(0, end);
        if (!KeyExists(root_, level)) {
            firstCreatedKey_ = level;
            break;
        }
        if (end == std::string::npos) {
            break;
        }
    }
    if (seed) {
        WriteValue(root_, path_, name_, *seed);
    } else {
        DeleteValue(root_, path_, name_);
    }
}

ValueSeed::~ValueSeed() {
    try {
        if (firstCreatedKey_) {
            DeleteKeyTree(root_, *firstCreatedKey_);
        } else if (before_) {
            WriteValue(root_, path_, name_, *before_);
        } else {
            DeleteValue(root_, path_, name_);
        }
        if (ReadValue(root_, path_, name_) != before_) {
            ADD_FAILURE() << "could not put back " << path_ << "\\" << name_;
        }
    } catch (const std::exception& error) {
        ADD_FAILURE() << "putting back " << path_ << "\\" << name_ << ": " << error.what();
    }
}

}  // namespace e2e
