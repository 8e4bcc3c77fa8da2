#include "app/effect_label.h"

namespace quillmark {

std::vector<std::uint8_t> BlurShadowMask(const PixelImage& text, int blur_count) {
  const int w = text.width + 2;
  const int h = text.height + 2;
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h, 0);
  auto cell = [&](int x, int y) -> std::uint8_t& {
    return mask[static_cast<std::size_t>(y) * w + x];
  };
  for (int round = 0; round < blur_count; ++round) {
    for (int y = 0; y < text.height; ++y)
      for (int x = 0; x < text.width; ++x)
        if (text.At(x, y) & 0xFF) cell(x + 1, y + 1) = 255;
    // In place: a cell already sees the new values of the cells above and left of it.
    for (int y = 1; y <= text.height; ++y)
      for (int x = 1; x <= text.width; ++x)
        cell(x, y) = static_cast<std::uint8_t>(
            (cell(x, y - 1) + cell(x, y + 1) + cell(x - 1, y) + cell(x + 1, y)) >> 2);
  }
  return mask;
}

PixelImage BlendShadow(const PixelImage& background, const std::vector<std::uint8_t>& mask,
                       Rgb shadow) {
  PixelImage out = background;
  const int w = background.width + 2;
  for (int y = 0; y < background.height; ++y) {
    for (int x = 0; x < background.width; ++x) {
      const unsigned m = mask[static_cast<std::size_t>(y + 1) * w + (x + 1)];
      const Pixel v = background.At(x, y);
      auto blend = [m](unsigned channel, unsigned s) { return (channel * (255 - m) + s * m) >> 8; };
      out.At(x, y) = (blend((v >> 16) & 0xFF, shadow.red) << 16) |
                     (blend((v >> 8) & 0xFF, shadow.green) << 8) | blend(v & 0xFF, shadow.blue);
    }
  }
  return out;
}

EffectLabelPlan PlanEffectLabel(const ShadowLabelSettings& settings, bool enabled) {
  if (!enabled) {
    return {false,
            0,
            0,
            {{1, 1, TextColourSource::SystemHighlight}, {0, 0, TextColourSource::SystemShadow}}};
  }
  // Without an active skin, the skin settings behave as the custom ones.
  const bool shadow =
      settings.mode != ShadowMode::smNone && settings.has_shadow_colour && settings.blur_count != 0;
  const TextColourSource colour = settings.kind_type == KindType::ktStandard
                                      ? TextColourSource::LabelBackground
                                      : TextColourSource::Kind;
  return {
      shadow, shadow ? settings.distance : 0, shadow ? settings.blur_count : 0, {{0, 0, colour}}};
}

PixelImage ShadowPixels(const PixelImage& text, const PixelImage& background,
                        const ShadowLabelSettings& settings) {
  return BlendShadow(background, BlurShadowMask(text, settings.blur_count), settings.shadow_colour);
}

}  // namespace quillmark
