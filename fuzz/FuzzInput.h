#pragma once
// Takes a fuzzer's bytes apart into the numbers and texts a target needs; runs dry as zeros.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return offset_ >= size_; }
    std::uint8_t Byte() { return offset_ < size_ ? data_[offset_++] : 0; }
    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return static_cast<std::int32_t>(value);
    }
    // A text of up to `maxLength` bytes, zeros included.
    std::string Text(std::size_t maxLength) {
        std::size_t length = Byte() | (static_cast<std::size_t>(Byte()) << 8);
        length = std::min({length, maxLength, size_ - std::min(offset_, size_)});
        std::string text(reinterpret_cast<const char*>(data_ + offset_), length);
        offset_ += length;
        return text;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_ + std::min(offset_, size_)),
                         size_ - std::min(offset_, size_));
        offset_ = size_;
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

// Stops the run the way a sanitizer would, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)               \
    do {                                    \
        if (!(condition)) __builtin_trap(); \
    } while (0)
