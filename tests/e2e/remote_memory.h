// Memory inside another process, for the messages whose argument is a pointer (a tooltip's
// text, a tree view's items): the pointer must be valid where the message is handled.
#pragma once

#include <windows.h>

#include <cstddef>

#include "tests/e2e/program_process.h"

namespace e2e {

// A block of memory in another process, freed with the object. Not copied or moved.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD pid, std::size_t size);
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer();

    // The block's address in the other process.
    void* address() const { return address_; }
    // The address `offset` bytes into the block.
    void* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    // Copies in and out; a HarnessError when the range is outside the block or the call fails.
    void Write(const void* data, std::size_t size, std::size_t offset = 0) const;
    void Read(void* data, std::size_t size, std::size_t offset = 0) const;

private:
    OwnedHandle process_;
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace e2e
