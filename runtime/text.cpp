#include "runtime/text.h"

#include "platform/message_box.h"
#include "platform/services.h"
#include "platform/system.h"

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

Text ExpandPath(std::string_view path) {
  auto& system = *platform::Current().system;
  Text result(path);
  // Only a leading name stands for a folder: further on it is part of a real folder's
  // name (the program may live in one called "%windir%"), which must stay as it is.
  for (const auto& [name, folder] :
       {std::pair{"%windir%", system.WindowsFolder()}, std::pair{"%tmpdir%", system.TempFolder()},
        std::pair{"%sysdir%", system.SystemFolder()}}) {
    if (result.starts_with(name)) result.replace(0, std::string_view(name).size(), folder);
  }
  const bool absolute = (!result.empty() && result[0] == '/') || result.find(":\\") != Text::npos;
  if (!absolute) result.insert(0, system.ExecutableFolder());
  return result;
}

void DebugMessage(const Text& text) { platform::Current().message_box->Show(text, "String-Debug"); }

}  // namespace lumi
