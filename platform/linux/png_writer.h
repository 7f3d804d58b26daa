#pragma once

#include <string>

#include "platform/ui.h"

namespace lumi::platform::linux_backend {

// The picture as a PNG file (8-bit RGBA, not interlaced). The pixel data goes into
// stored deflate blocks: an icon is a few kilobytes either way, and the program needs
// no compression library for it. An empty picture gives an empty text.
std::string EncodePng(const Picture& picture);

}  // namespace lumi::platform::linux_backend
