// Takes a fuzzer's bytes apart into small decisions and byte runs; past the end every read
// yields zeros, so any input is a complete one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ >= size_; }

    std::uint8_t Byte() { return empty() ? 0 : data_[position_++]; }

    std::uint32_t Uint32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        }
        return value;
    }

    // A number in [0, count); 0 when count is 0.
    std::size_t Pick(std::size_t count) { return count == 0 ? 0 : Byte() % count; }

    // Up to `count` bytes, fewer at the end of the input.
    std::vector<std::uint8_t> Bytes(std::size_t count) {
        const std::size_t taken = std::min(count, size_ - std::min(position_, size_));
        std::vector<std::uint8_t> out(data_ + position_, data_ + position_ + taken);
        position_ += taken;
        return out;
    }

    // A run whose length comes first, as one byte.
    std::vector<std::uint8_t> ShortBytes() { return Bytes(Byte()); }
    std::string ShortText() {
        const auto bytes = ShortBytes();
        return std::string(bytes.begin(), bytes.end());
    }

    // Everything not read yet.
    std::vector<std::uint8_t> Rest() { return Bytes(size_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

}  // namespace fuzz
