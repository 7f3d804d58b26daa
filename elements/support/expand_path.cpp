#include "elements/support/expand_path.h"

#include <utility>

#include "platform/services.h"
#include "platform/system.h"

namespace lumi {

Text ExpandPath(std::string_view path) {
  // The settings file is read a few dozen times a cycle by its full path: that path
  // goes through untouched, without asking the system for any folder.
  if (!path.empty() && path.front() == '/') return Text(path);
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

}  // namespace lumi
