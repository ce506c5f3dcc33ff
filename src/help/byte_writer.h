#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace banchiro::help {

// Little-endian numbers and raw bytes appended to a byte string, the way
// every structure of a help file is laid out.
class ByteWriter {
 public:
  void U8(unsigned value) { bytes_.push_back(static_cast<char>(value & 0xFF)); }
  void U16(unsigned value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
  }
  void Bytes(std::string_view bytes) { bytes_.append(bytes); }
  // A text and its terminating NUL.
  void Text(std::string_view text) {
    Bytes(text);
    U8(0);
  }
  void Zeros(std::size_t count) { bytes_.append(count, '\0'); }

  std::size_t size() const { return bytes_.size(); }
  const std::string& bytes() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

}  // namespace banchiro::help
