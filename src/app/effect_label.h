// The about box's effect label: white text over a soft black shadow. The blur and the blend are
// pure functions over pixel buffers so that the drawing code only has to supply the pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "app/about_box.h"

namespace quillmark {

// A pixel as a 32-bit top-down bitmap holds it: 0x00RRGGBB, blue in the low byte.
using Pixel = std::uint32_t;

constexpr Pixel ToPixel(Rgb c) {
  return (Pixel{c.red} << 16) | (Pixel{c.green} << 8) | Pixel{c.blue};
}

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // row by row from the top left

  Pixel& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  Pixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

enum class ShadowMode { smNone, smCustom, smSkin };
enum class KindType { ktStandard, ktCustom, ktSkin };

struct ShadowLabelSettings {
  ShadowMode mode = ShadowMode::smSkin;
  bool has_shadow_colour = true;  // false: the no-colour value
  Rgb shadow_colour = {0, 0, 0};
  int blur_count = 4;
  int distance = 1;
  KindType kind_type = KindType::ktSkin;
  Rgb kind_colour = {255, 255, 255};
};

// The mask, one cell larger than the text on every side: cells whose text pixel has a non-zero
// blue component are set to 255, then every inner cell, in place from the top left, becomes
// the sum of its four neighbours shifted right by 2; blur_count times.
std::vector<std::uint8_t> BlurShadowMask(const PixelImage& text, int blur_count);

// Each channel v of the background becomes (v * (255 - m) + s * m) >> 8, m the text pixel's
// mask cell and s the shadow's channel.
PixelImage BlendShadow(const PixelImage& background, const std::vector<std::uint8_t>& mask,
                       Rgb shadow);

// Where the text is drawn and in which colour, after the shadow if there is one.
enum class TextColourSource { Kind, LabelBackground, SystemHighlight, SystemShadow };
struct TextPass {
  int dx, dy;
  TextColourSource colour;
};

struct EffectLabelPlan {
  bool draws_shadow;
  int shadow_distance;  // how far the text of the shadow's mask is shifted right and down
  int blur_count;
  std::vector<TextPass> text_passes;
};

EffectLabelPlan PlanEffectLabel(const ShadowLabelSettings& settings, bool enabled);

// The whole shadow: the text mask drawn white on black (already shifted by the distance) and the
// pixels under the label give the pixels to copy onto the label before the text goes on top.
PixelImage ShadowPixels(const PixelImage& text, const PixelImage& background,
                        const ShadowLabelSettings& settings);

}  // namespace quillmark
