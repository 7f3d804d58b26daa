#include "platform/linux/png_writer.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace lumi::platform::linux_backend {
namespace {

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> kTable = [] {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    return table;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (char byte : bytes) crc = kTable[(crc ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(std::string_view bytes) {
  uint32_t a = 1;
  uint32_t b = 0;
  for (char byte : bytes) {
    a = (a + static_cast<uint8_t>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void AppendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<uint32_t>(data.size()));
  std::string typed(type);
  typed.append(data);
  out.append(typed);
  AppendBigEndian(out, Crc32(typed));
}

// A zlib stream of stored blocks, each at most 65535 bytes.
std::string StoredZlib(std::string_view raw) {
  std::string out = {0x78, 0x01};
  do {
    const size_t length = std::min<size_t>(raw.size(), 65535);
    const bool last = length == raw.size();
    out.push_back(static_cast<char>(last ? 1 : 0));
    out.push_back(static_cast<char>(length & 0xFF));
    out.push_back(static_cast<char>(length >> 8));
    out.push_back(static_cast<char>(~length & 0xFF));
    out.push_back(static_cast<char>((~length >> 8) & 0xFF));
    out.append(raw.substr(0, length));
    raw.remove_prefix(length);
  } while (!raw.empty());
  return out;
}

}  // namespace

std::string EncodePng(const Picture& picture) {
  if (picture.IsEmpty() ||
      picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height)) {
    return {};
  }
  std::string raw;
  raw.reserve(static_cast<size_t>(picture.height) * (1 + 4 * static_cast<size_t>(picture.width)));
  for (int32_t y = 0; y < picture.height; ++y) {
    raw.push_back(0);  // no filter
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint32_t argb =
          picture
              .pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x)];
      raw.push_back(static_cast<char>((argb >> 16) & 0xFF));
      raw.push_back(static_cast<char>((argb >> 8) & 0xFF));
      raw.push_back(static_cast<char>(argb & 0xFF));
      raw.push_back(static_cast<char>(argb >> 24));
    }
  }
  std::string header;
  AppendBigEndian(header, static_cast<uint32_t>(picture.width));
  AppendBigEndian(header, static_cast<uint32_t>(picture.height));
  header += std::string{8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, no filter set, no interlace

  std::string zlib = StoredZlib(raw);
  AppendBigEndian(zlib, Adler32(raw));

  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", zlib);
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace lumi::platform::linux_backend
