// The cross-fade of the logo strip: 50 steps from one picture to the next.
#pragma once

#include <cstdint>
#include <span>

namespace ui {

inline constexpr int kLogoFadeSteps = 50;

// One colour byte at step s (0 to 50): round(((50 - s) * from + s * to) / 50), halves to even.
constexpr uint8_t BlendByte(uint8_t from, uint8_t to, int step) {
  const int total = (kLogoFadeSteps - step) * from + step * to;
  int quotient = total / kLogoFadeSteps;
  const int remainder = total % kLogoFadeSteps;
  if (remainder * 2 > kLogoFadeSteps || (remainder * 2 == kLogoFadeSteps && quotient % 2 == 1)) {
    ++quotient;
  }
  return static_cast<uint8_t>(quotient);
}

// Blends whole pictures of equal size byte by byte into `out`.
void BlendPictures(std::span<const uint8_t> from, std::span<const uint8_t> to, int step,
                   std::span<uint8_t> out);

}  // namespace ui
