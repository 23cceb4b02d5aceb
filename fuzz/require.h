// Invariant checks for the fuzz targets: a broken invariant says which, then aborts, so
// libFuzzer keeps the input that broke it. (clang 14 has no std::source_location, so each
// message names its invariant.)
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

inline void Require(bool holds, const std::string& what) {
    if (!holds) {
        Fail(what);
    }
}

}  // namespace fuzz
