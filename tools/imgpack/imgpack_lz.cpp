#include "imgpack_lz.h"

#include <algorithm>

namespace imgpack {
namespace {

constexpr size_t kHashBits = 15;
constexpr int kChainLimit = 48;
constexpr size_t kMaxAbsolute = 0xFFFF;

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v >> 24);
  out[at + 1] = static_cast<uint8_t>(v >> 16);
  out[at + 2] = static_cast<uint8_t>(v >> 8);
  out[at + 3] = static_cast<uint8_t>(v);
}

struct Match {
  size_t length = 0;
  size_t source = 0;
};

class Encoder {
 public:
  Encoder(const uint8_t* data, size_t size)
      : data_(data), size_(size), head_(size_t{1} << kHashBits, SIZE_MAX), prev_(size, SIZE_MAX) {}

  void run() {
    size_t pos = 0;
    while (pos < size_) {
      const size_t run = runLength(pos);
      const Match m = bestMatch(pos);
      if (run >= 4 && run >= m.length) {
        flushLiterals(pos);
        ops_.insert(ops_.end(), {1, 0, static_cast<uint8_t>(run)});
        literals_.push_back(data_[pos]);
        advance(pos, run);
        pos += run;
        literalStart_ = pos;
      } else if (m.length >= 3) {
        flushLiterals(pos);
        emitMatch(pos, m);
        advance(pos, m.length);
        pos += m.length;
        literalStart_ = pos;
      } else {
        advance(pos, 1);
        ++pos;
      }
    }
    flushLiterals(pos);
  }

  std::vector<uint8_t> stream() const {
    std::vector<uint8_t> out(28 + ops_.size() + offsets_.size() + literals_.size(), 0);
    out[1] = 28;
    put32(out, 8, static_cast<uint32_t>(size_));
    put32(out, 12, static_cast<uint32_t>(ops_.size()));
    put32(out, 16, static_cast<uint32_t>(offsets_.size()));
    put32(out, 20, static_cast<uint32_t>(literals_.size()));
    auto at = std::copy(ops_.begin(), ops_.end(), out.begin() + 28);
    at = std::copy(offsets_.begin(), offsets_.end(), at);
    std::copy(literals_.begin(), literals_.end(), at);
    return out;
  }

 private:
  size_t hash(size_t pos) const {
    const uint32_t v = (static_cast<uint32_t>(data_[pos]) << 16) | (data_[pos + 1] << 8) | data_[pos + 2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  void advance(size_t pos, size_t count) {
    for (size_t i = pos; i < pos + count && i + 2 < size_; ++i) {
      const size_t h = hash(i);
      prev_[i] = head_[h];
      head_[h] = i;
    }
  }

  size_t runLength(size_t pos) const {
    size_t n = 1;
    while (pos + n < size_ && n < 255 && data_[pos + n] == data_[pos]) ++n;
    return n;
  }

  // The longest copy that one of the three copy forms can express.
  Match bestMatch(size_t pos) const {
    Match best;
    if (pos + 2 >= size_) return best;
    size_t candidate = head_[hash(pos)];
    for (int step = 0; step < kChainLimit && candidate != SIZE_MAX; ++step, candidate = prev_[candidate]) {
      const size_t limit = std::min<size_t>(size_ - pos, kMaxAbsolute);
      size_t length = 0;
      while (length < limit && data_[candidate + length] == data_[pos + length]) ++length;
      const size_t distance = pos - candidate;
      size_t usable = 0;
      if (distance <= 255) usable = std::min({length, size_t{255}, distance});
      if (distance >= 256 && distance <= 508) usable = std::max(usable, std::min(length, 510 - distance));
      if (candidate <= kMaxAbsolute) usable = std::max(usable, length);
      if (usable > best.length) best = {usable, candidate};
    }
    return best;
  }

  void emitMatch(size_t pos, const Match& m) {
    const size_t distance = pos - m.source;
    if (distance <= 255 && m.length <= distance && m.length <= 255) {
      ops_.push_back(static_cast<uint8_t>(m.length));
      offsets_.push_back(static_cast<uint8_t>(distance));
    } else if (distance >= 256 && distance <= 508 && m.length < 511 - distance) {
      ops_.push_back(static_cast<uint8_t>(511 - distance));
      offsets_.push_back(static_cast<uint8_t>(m.length));
    } else if (m.length <= 255) {
      ops_.insert(ops_.end(), {2, static_cast<uint8_t>(m.length)});
      offsets_.insert(offsets_.end(), {static_cast<uint8_t>(m.source >> 8), static_cast<uint8_t>(m.source)});
    } else {
      ops_.insert(ops_.end(), {2, 0, static_cast<uint8_t>(m.length >> 8), static_cast<uint8_t>(m.length)});
      offsets_.insert(offsets_.end(), {static_cast<uint8_t>(m.source >> 8), static_cast<uint8_t>(m.source)});
    }
  }

  void flushLiterals(size_t end) {
    size_t at = literalStart_;
    while (at < end) {
      const size_t n = std::min<size_t>(end - at, 255);
      if (n >= 3) {
        ops_.insert(ops_.end(), {1, static_cast<uint8_t>(n)});
      } else {
        ops_.insert(ops_.end(), n, 0);
      }
      literals_.insert(literals_.end(), data_ + at, data_ + at + n);
      at += n;
    }
    literalStart_ = end;
  }

  const uint8_t* data_;
  size_t size_;
  std::vector<size_t> head_;
  std::vector<size_t> prev_;
  size_t literalStart_ = 0;
  std::vector<uint8_t> ops_, offsets_, literals_;
};

}  // namespace

std::vector<uint8_t> encodeLZ(const uint8_t* data, size_t size) {
  Encoder e(data, size);
  e.run();
  return e.stream();
}

}  // namespace imgpack
