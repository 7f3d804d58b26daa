#include "elements/device/file_part.h"

namespace lumi {

namespace {

bool IsDriveColon(const Text& path, size_t i) {
  if (i != 1 || path.size() < 2 || path[1] != ':') return false;
  const char letter = path[0];
  return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

// Length of the folder part, its final separator included.
size_t FolderLength(const Text& path) {
  size_t slash = path.find_last_of("/\\");
  if (slash != Text::npos) return slash + 1;
  return IsDriveColon(path, 1) ? 2 : 0;
}

// Where the extension's dot is in `name`, or npos.
size_t ExtensionDot(const Text& name) {
  size_t dot = name.rfind('.');
  if (dot == Text::npos || dot == 0) return Text::npos;
  if (name.find_first_not_of('.') == Text::npos) return Text::npos;
  return dot;
}

}  // namespace

void TElFilePart::Split(TData& data, uint16_t) {
  Text path = PullString(data, InFileName, Text());
  if (path.empty()) return;
  const size_t folder = FolderLength(path);
  Text name = path.substr(folder);
  const size_t dot = ExtensionDot(name);
  Text ext = dot == Text::npos ? Text() : name.substr(dot + (ExtWithoutDot ? 1 : 0));
  if (!NameWithExt && dot != Text::npos) name.resize(dot);
  FireString(OnPath, path.substr(0, folder));
  FireString(OnName, name);
  TailString(data, OnExt, ext);
}

}  // namespace lumi
