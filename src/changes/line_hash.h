#pragma once
// 64-bit hashes of the lines of an output file, as bytes: MurmurHash64A
// (Austin Appleby's, public domain), its words read little-endian, so that a
// fingerprint kept in a file means the same on every build. Two
// different lines of a whole-country file (some 150,000) share a hash with a
// chance of about one in 10^9.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace changes {

static_assert(std::endian::native == std::endian::little, "words are read as they lie in memory");

inline uint64_t LineHash(std::string_view bytes, uint64_t seed = 0x5445535349564152) {  // "TESSIVAR"
  constexpr uint64_t m = 0xc6a4a7935bd1e995ULL;
  constexpr int r = 47;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t n = bytes.size();
  uint64_t h = seed ^ (n * m);
  for (; n >= 8; p += 8, n -= 8) {
    uint64_t k;
    std::memcpy(&k, p, sizeof k);
    k *= m;
    k ^= k >> r;
    k *= m;
    h ^= k;
    h *= m;
  }
  if (n > 0) {
    for (size_t i = n; i-- > 0;) h ^= static_cast<uint64_t>(p[i]) << (8 * i);
    h *= m;
  }
  h ^= h >> r;
  h *= m;
  h ^= h >> r;
  return h;
}

// The fingerprint of a file: its lines' hashes folded in order.
inline uint64_t FoldLine(uint64_t fingerprint, uint64_t line_hash) {
  return ((fingerprint << 5 | fingerprint >> 59) ^ line_hash) * 0x9E3779B97F4A7C15ULL;
}

}  // namespace changes
