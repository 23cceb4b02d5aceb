#include "tests/e2e/remote_memory.h"

#include <string>

#include "tests/e2e/wait.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(DWORD pid, std::size_t size)
    : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)),
      size_(size) {
    if (process_) {
        address_ =
            VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    if (address_ == nullptr) {
        throw HarnessError("cannot allocate memory in process " + std::to_string(pid));
    }
}

RemoteBuffer::~RemoteBuffer() {
    // Fails harmlessly when the process has ended: its memory went with it.
    VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteBuffer::Write(const void* data, std::size_t size, std::size_t offset) const {
    SIZE_T written = 0;
    if (offset + size > size_ ||
        !WriteProcessMemory(process_.get(), at(offset), data, size, &written) || written != size) {
        throw HarnessError("cannot write the other process's memory");
    }
}

void RemoteBuffer::Read(void* data, std::size_t size, std::size_t offset) const {
    SIZE_T read = 0;
    if (offset + size > size_ ||
        !ReadProcessMemory(process_.get(), at(offset), data, size, &read) || read != size) {
        throw HarnessError("cannot read the other process's memory");
    }
}

}  // namespace e2e
