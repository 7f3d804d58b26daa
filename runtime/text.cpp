#include "runtime/text.h"


namespace lumi {

size_t PosFrom(std::string_view pattern, std::string_view text, size_t start) {
  if (pattern.empty() || start == 0 || pattern.size() > text.size()) return 0;
  size_t found = text.find(pattern, start - 1);
  return found == std::string_view::npos ? 0 : found + 1;
}

void Replace(Text& text, std::string_view pattern, std::string_view replacement,
             const ReplaceFilter& filter) {
  if (pattern.empty()) return;
  size_t p = PosFrom(pattern, text, 1);
  while (p > 0) {
    if (!filter || filter(text, p)) {
      text.replace(p - 1, pattern.size(), replacement);
      p = PosFrom(pattern, text, p + replacement.size());
    } else {
      p = PosFrom(pattern, text, p + 1);
    }
  }
}

}  // namespace lumi
