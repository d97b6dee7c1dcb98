#include "ui/configurator/logo_blend.h"

#include <algorithm>

namespace ui {

void BlendPictures(std::span<const uint8_t> from, std::span<const uint8_t> to, int step,
                   std::span<uint8_t> out) {
  const size_t n = std::min({from.size(), to.size(), out.size()});
  for (size_t i = 0; i < n; ++i) out[i] = BlendByte(from[i], to[i], step);
}

}  // namespace ui
