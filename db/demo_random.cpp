#include "db/demo_random.h"

#include <cmath>

namespace vireo::demo {

DemoRandom::DemoRandom(uint64_t seed) : increment_((seed << 1u) | 1u) {
  Next();
  state_ += seed ^ 0x853c49e6748fea9bULL;
  Next();
}

uint32_t DemoRandom::Next() {
  uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + increment_;
  uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  uint32_t rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

size_t DemoRandom::Index(size_t count) {
  return static_cast<size_t>((static_cast<uint64_t>(Next()) * count) >> 32);
}

int DemoRandom::Between(int low, int high) {
  if (high <= low) return low;
  uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low) + 1;
  return low + static_cast<int>((static_cast<uint64_t>(Next()) * span) >> 32);
}

bool DemoRandom::Chance(int percent) { return Between(0, 99) < percent; }

double DemoRandom::Amount(double low, double high) {
  auto cents_low = static_cast<int64_t>(std::llround(low * 100));
  auto cents_high = static_cast<int64_t>(std::llround(high * 100));
  uint64_t span = static_cast<uint64_t>(cents_high - cents_low) + 1;
  uint64_t draw = ((static_cast<uint64_t>(Next()) << 32) | Next()) % span;
  return static_cast<double>(cents_low + static_cast<int64_t>(draw)) / 100.0;
}

}  // namespace vireo::demo
