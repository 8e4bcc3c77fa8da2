#include "win32/effect_label_painter.h"

#include <algorithm>
#include <cstddef>

#include "win32/handles.h"

namespace quillmark::win32 {

namespace {

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

COLORREF PassColour(TextColourSource source, const ShadowLabelSettings& settings) {
  switch (source) {
    case TextColourSource::Kind:
      return ToColorRef(settings.kind_colour);
    case TextColourSource::LabelBackground:
      return GetSysColor(COLOR_BTNFACE);
    case TextColourSource::SystemHighlight:
      return GetSysColor(COLOR_BTNHIGHLIGHT);
    case TextColourSource::SystemShadow:
      return GetSysColor(COLOR_BTNSHADOW);
  }
  return GetSysColor(COLOR_WINDOWTEXT);
}

void DrawLabelText(HDC dc, const std::string& text, RECT bounds, int dx, int dy, COLORREF colour) {
  OffsetRect(&bounds, dx, dy);
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
            DT_CENTER | DT_TOP | DT_NOPREFIX | DT_EXPANDTABS);
}

// The work bitmap's pixels; GDI may leave anything in the unused top byte.
PixelImage ReadPixels(const Pixel* bits, int width, int height) {
  PixelImage image{width, height, {bits, bits + static_cast<std::size_t>(width) * height}};
  for (Pixel& pixel : image.pixels) pixel &= 0x00FFFFFF;
  return image;
}

}  // namespace

void PaintParentBackground(HWND child, HDC dc) {
  RECT client;
  GetClientRect(child, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HWND parent = GetParent(child);
  if (!parent) return;
  POINT origin = {0, 0};
  MapWindowPoints(child, parent, &origin, 1);
  POINT old_origin;
  OffsetWindowOrgEx(dc, origin.x, origin.y, &old_origin);
  SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetWindowOrgEx(dc, old_origin.x, old_origin.y, nullptr);
}

void PaintEffectLabel(HWND label, HDC dc, const EffectLabelLook& look) {
  RECT client;
  GetClientRect(label, &client);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as PixelImage
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc work(CreateCompatibleDC(dc));
  if (!bitmap || !work || !bits) return;
  auto* pixels = static_cast<Pixel*>(bits);
  SelectedObject bitmap_in_work(work.get(), bitmap.get());
  SelectedObject font_in_work(work.get(), look.font);
  SetBkMode(work.get(), TRANSPARENT);

  const EffectLabelPlan plan = PlanEffectLabel(look.settings, look.enabled);
  if (plan.draws_shadow) {
    std::fill(pixels, pixels + static_cast<std::size_t>(width) * height, Pixel{0});
    DrawLabelText(work.get(), look.text, client, plan.shadow_distance, plan.shadow_distance,
                  RGB(255, 255, 255));
    GdiFlush();
    const PixelImage text = ReadPixels(pixels, width, height);
    PaintParentBackground(label, work.get());
    GdiFlush();
    const PixelImage shadowed =
        ShadowPixels(text, ReadPixels(pixels, width, height), look.settings);
    std::copy(shadowed.pixels.begin(), shadowed.pixels.end(), pixels);
  } else {
    PaintParentBackground(label, work.get());
  }
  for (const TextPass& pass : plan.text_passes)
    DrawLabelText(work.get(), look.text, client, pass.dx, pass.dy,
                  PassColour(pass.colour, look.settings));
  BitBlt(dc, 0, 0, width, height, work.get(), 0, 0, SRCCOPY);
}

}  // namespace quillmark::win32
