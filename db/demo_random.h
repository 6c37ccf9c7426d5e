// DemoRandom: the demo generator's own random sequence (PCG32).  A seed
// gives the same numbers on every platform and standard library, which is
// what makes the demo data reproducible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vireo::demo {

class DemoRandom {
 public:
  explicit DemoRandom(uint64_t seed);

  uint32_t Next();
  // A whole number from low to high, both included.
  int Between(int low, int high);
  // True about `percent` times in a hundred.
  bool Chance(int percent);
  // An amount from low to high, in whole cents.
  double Amount(double low, double high);

  template <class T>
  const T& Pick(std::span<const T> items) {
    return items[Index(items.size())];
  }
  template <class T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Index(N)];
  }

 private:
  size_t Index(size_t count);

  uint64_t state_ = 0;
  uint64_t increment_ = 0;
};

}  // namespace vireo::demo
