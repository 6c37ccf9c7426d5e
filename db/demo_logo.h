// Company logos of the demo data: small PNG images made in memory, so the
// vouchers' letterhead has a real picture to load.
#pragma once

#include <cstdint>
#include <string>

namespace vireo::demo {

// A width x height RGB PNG: a field of `background` crossed by a band of
// `accent` (colours as 0xRRGGBB).  The bytes of the file.
std::string LogoPng(uint32_t background, uint32_t accent, int width = 96, int height = 48);

}  // namespace vireo::demo
