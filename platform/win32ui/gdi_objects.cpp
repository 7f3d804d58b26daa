#include "platform/win32ui/gdi_objects.h"

#include <vector>

#include "platform/win32ui/wide_text.h"

namespace lumi::platform::win32ui {

COLORREF ToColorRef(Color color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return color & 0x00FFFFFFu;
}

HFONT CreateFontFor(const FontSpec& font) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  const int height = -MulDiv(font.size > 0 ? font.size : 8, dpi, 72);
  std::wstring name = ToWide(font.name);
  if (name.size() >= LF_FACESIZE) name.resize(LF_FACESIZE - 1);
  return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                     font.strike_out, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
}

HBITMAP CreateTopDownDib(int32_t width, int32_t height, uint32_t** pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr && bits == nullptr) {
    DeleteObject(bitmap);
    return nullptr;
  }
  *pixels = static_cast<uint32_t*>(bits);
  return bitmap;
}

HBITMAP CreatePictureBitmap(const Picture& picture) {
  if (picture.IsEmpty() || picture.pixels.size() < static_cast<size_t>(picture.width) * picture.height)
    return nullptr;
  uint32_t* out = nullptr;
  HBITMAP bitmap = CreateTopDownDib(picture.width, picture.height, &out);
  if (bitmap == nullptr) return nullptr;
  for (size_t i = 0; i < static_cast<size_t>(picture.width) * picture.height; ++i) {
    const uint32_t argb = picture.pixels[i];
    const uint32_t alpha = argb >> 24;
    auto scale = [alpha](uint32_t channel) { return channel * alpha / 255; };
    out[i] = (alpha << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) |
             scale(argb & 0xFF);
  }
  return bitmap;
}

HICON CreatePictureIcon(const Picture& picture) {
  HBITMAP color = CreatePictureBitmap(picture);
  if (color == nullptr) return nullptr;
  // The mask is ignored for a 32-bit colour bitmap with alpha, but must be there.
  const std::vector<uint8_t> mask_bits(static_cast<size_t>((picture.width + 15) / 16 * 2) * picture.height,
                                       0);
  HBITMAP mask = CreateBitmap(picture.width, picture.height, 1, 1, mask_bits.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

BrushCache::~BrushCache() {
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

HBRUSH BrushCache::Get(COLORREF color) {
  auto it = brushes_.find(color);
  if (it != brushes_.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_.emplace(color, brush);
  return brush;
}

}  // namespace lumi::platform::win32ui
