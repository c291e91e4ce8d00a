// Little-endian byte building for the compiled resource layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

class Bytes {
 public:
  void word(uint32_t v) {
    data_.push_back(static_cast<uint8_t>(v));
    data_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void dword(uint32_t v) {
    word(v & 0xFFFF);
    word(v >> 16);
  }
  void byte(uint8_t v) { data_.push_back(v); }
  // UTF-16 units, then a terminator when `terminate` is set.
  void text(const std::u16string& s, bool terminate = true) {
    for (char16_t c : s) word(c);
    if (terminate) word(0);
  }
  void alignTo(size_t boundary) {
    while (data_.size() % boundary) data_.push_back(0);
  }
  void append(const std::vector<uint8_t>& more) { data_.insert(data_.end(), more.begin(), more.end()); }
  size_t size() const { return data_.size(); }
  std::vector<uint8_t>& data() { return data_; }

 private:
  std::vector<uint8_t> data_;
};

}  // namespace rc
