#include "elements/window/win_list.h"

namespace lumi {
namespace {

// Upper to lower case in Windows-1251: Latin, Russian and the other Cyrillic letters
// of the code page.
unsigned char FoldCase(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x80: return 0x90;
    case 0x81: return 0x83;
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8D: return 0x9D;
    case 0x8E: return 0x9E;
    case 0x8F: return 0x9F;
    case 0xA1: return 0xA2;
    case 0xA3: return 0xBC;
    case 0xA5: return 0xB4;
    case 0xA8: return 0xB8;
    case 0xAA: return 0xBA;
    case 0xAF: return 0xBF;
    case 0xB2: return 0xB3;
    case 0xBD: return 0xBE;
    default: return c;
  }
}

bool SameChar(char a, char b) {
  return FoldCase(static_cast<unsigned char>(a)) == FoldCase(static_cast<unsigned char>(b));
}

}  // namespace

void TElWinList::Add(TData& data, uint16_t) {
  items_.push_back(PullString(data, InItem, Text()));
  ShowItems();
}

std::vector<Text> TElWinList::SplitLines(std::string_view text) {
  std::vector<Text> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
  }
  return lines;
}

bool TElWinList::SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithText(a, b);
}

bool TElWinList::StartsWithText(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (!SameChar(text[i], prefix[i])) return false;
  }
  return true;
}

}  // namespace lumi
