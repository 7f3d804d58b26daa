#include "platform/windows/process_list.h"

#include "platform/windows/win32.h"
// The process snapshot functions need the base definitions first.
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace lumi::platform::windows_backend {

namespace {

uint64_t Ticks(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The user a process runs as, as the bytes of its security identifier.
std::string UserOf(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::string result;
  if (size > 0) {
    auto buffer = std::make_unique<char[]>(size);
    if (GetTokenInformation(token, TokenUser, buffer.get(), size, &size)) {
      PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid;
      if (IsValidSid(sid)) result.assign(static_cast<const char*>(sid), GetLengthSid(sid));
    }
  }
  CloseHandle(token);
  return result;
}

void Describe(ProcessEntry& entry, const std::string& own_user) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.id);
  if (process == nullptr) return;
  char path[MAX_PATH * 2];
  DWORD length = sizeof(path);
  if (QueryFullProcessImageNameA(process, 0, path, &length)) entry.executable.assign(path, length);
  FILETIME created{}, ended{}, kernel{}, user{};
  if (GetProcessTimes(process, &created, &ended, &kernel, &user)) entry.started = Ticks(created);
  const std::string owner = UserOf(process);
  entry.same_user = !owner.empty() && owner == own_user;
  CloseHandle(process);
}

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<ProcessEntry> ListProcesses() {
  std::vector<ProcessEntry> list;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return list;
  const std::string own_user = UserOf(GetCurrentProcess());
  PROCESSENTRY32 record{};
  record.dwSize = sizeof(record);
  for (BOOL more = Process32First(snapshot, &record); more; more = Process32Next(snapshot, &record)) {
    ProcessEntry entry;
    entry.id = record.th32ProcessID;
    entry.executable = record.szExeFile;
    Describe(entry, own_user);
    list.push_back(std::move(entry));
  }
  CloseHandle(snapshot);
  return list;
}

std::vector<ProcessEntry> EarlierOwnUserProcesses() {
  std::vector<ProcessEntry> all = ListProcesses();
  const uint32_t own_id = GetCurrentProcessId();
  const auto own =
      std::find_if(all.begin(), all.end(), [&](const ProcessEntry& e) { return e.id == own_id; });
  if (own == all.end()) return {};
  const ProcessEntry self = *own;
  std::vector<ProcessEntry> earlier;
  for (const ProcessEntry& entry : all) {
    const bool before = entry.started != 0 && (entry.started < self.started ||
                                               (entry.started == self.started && entry.id < self.id));
    if (entry.id == own_id || (entry.same_user && before)) earlier.push_back(entry);
  }
  return earlier;
}

bool SameFileName(const std::string& a, const std::string& b) {
  const std::string x = FileName(a);
  const std::string y = FileName(b);
  return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
    return std::tolower(static_cast<unsigned char>(p)) == std::tolower(static_cast<unsigned char>(q));
  });
}

}  // namespace lumi::platform::windows_backend
