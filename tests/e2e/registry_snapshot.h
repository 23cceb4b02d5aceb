// Whole key trees: what they held at one moment, what has changed since, and putting them back.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/registry_access.h"

namespace e2e {

// A key and everything below it (or that it is missing), as it was when taken.
class RegistrySnapshot {
public:
    RegistrySnapshot(HKEY root, std::string path);
    RegistrySnapshot(RegistrySnapshot&&) noexcept;
    RegistrySnapshot& operator=(RegistrySnapshot&&) noexcept;
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;
    ~RegistrySnapshot();

    // One line for each value or key that is now added, missing or different.
    std::vector<std::string> Changes() const;
    // Makes the tree exactly what it was: added values and keys go, changed ones come back.
    void Restore() const;

    struct Tree;

private:
    HKEY root_;
    std::string path_;
    std::unique_ptr<Tree> tree_;  // null when the key did not exist
};

// Takes a snapshot and restores it when destroyed.
class RegistryTreeGuard {
public:
    RegistryTreeGuard(HKEY root, std::string path) : snapshot_(root, std::move(path)) {}
    RegistryTreeGuard(const RegistryTreeGuard&) = delete;
    RegistryTreeGuard& operator=(const RegistryTreeGuard&) = delete;
    ~RegistryTreeGuard();

    const RegistrySnapshot& snapshot() const { return snapshot_; }

private:
    RegistrySnapshot snapshot_;
};

}  // namespace e2e
