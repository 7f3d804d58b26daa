#pragma once

#include <map>

#include "platform/ui.h"
#include "platform/windows/win32.h"

// The GDI side of the window elements' values: colours, fonts and pictures.
namespace lumi::platform::win32ui {

// A colour as GDI takes it; system colours (0xFF0000nn) are looked up now.
COLORREF ToColorRef(Color color);

// A font of the given spec at the screen's resolution; the caller deletes it.
HFONT CreateFontFor(const FontSpec& font);

// A 32-bit top-down DIB section of that size, its pixels (0x00RRGGBB) written through
// `pixels`; nullptr when the system has no memory for it. The caller deletes it.
HBITMAP CreateTopDownDib(int32_t width, int32_t height, uint32_t** pixels);

// A 32-bit top-down DIB section of the picture, alpha premultiplied (as icons and
// menu pictures want it); nullptr for an empty picture. The caller deletes it.
HBITMAP CreatePictureBitmap(const Picture& picture);
// An icon of the picture, its mask from the alpha; nullptr for an empty picture.
HICON CreatePictureIcon(const Picture& picture);

// Solid brushes by colour, kept while the window system lives: every control of one
// colour shares one.
class BrushCache {
 public:
  BrushCache() = default;
  ~BrushCache();
  BrushCache(const BrushCache&) = delete;
  BrushCache& operator=(const BrushCache&) = delete;
  HBRUSH Get(COLORREF color);

 private:
  std::map<COLORREF, HBRUSH> brushes_;
};

}  // namespace lumi::platform::win32ui
