#include "platform/windows/windows_files.h"

#include <vector>

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

// Leftovers of a write that was cut short keep their names; the next free one is
// taken, so a leftover never blocks a write.
constexpr int kTemporaryNames = 100;

HANDLE CreateTemporary(const std::string& target, std::string& name) {
  const size_t slash = target.find_last_of("\\/");
  const std::string folder = slash == target.npos ? std::string() : target.substr(0, slash + 1);
  const std::string base = slash == target.npos ? target : target.substr(slash + 1);
  for (int n = 0; n < kTemporaryNames; ++n) {
    name = folder + "." + base + "." + std::to_string(n) + ".tmp";
    HANDLE file =
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file) != 0;
}

}  // namespace

std::string WindowsFiles::FinalPath(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::vector<char> buffer(MAX_PATH + 1);
  DWORD length = GetFinalPathNameByHandleA(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFinalPathNameByHandleA(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  }
  CloseHandle(file);
  if (length == 0 || length >= buffer.size()) return path;
  std::string final_path(buffer.data(), length);
  // "\\?\C:\..." is a plain drive path; a "\\?\UNC\..." one stays as it is.
  if (final_path.rfind("\\\\?\\", 0) == 0 && final_path.size() > 6 && final_path[5] == ':') {
    final_path.erase(0, 4);
  }
  return final_path;
}

bool WindowsFiles::Replace(const std::string& path, std::string_view bytes) {
  const std::string target = FinalPath(path);
  const DWORD attributes = GetFileAttributesA(target.c_str());
  // A folder is no file to replace (Wine would even put the file in its place).
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  std::string temporary;
  HANDLE file = CreateTemporary(target, temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, bytes);
  CloseHandle(file);
  const bool placed =
      written &&
      ((exists && ReplaceFileA(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                               nullptr, nullptr)) ||
       MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  if (!placed) DeleteFileA(temporary.c_str());
  return placed;
}

}  // namespace lumi::platform::windows_backend
