#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumi::platform::windows_backend {

struct ProcessEntry {
  uint32_t id = 0;
  std::string executable;  // the full path where it can be read, else the file name
  uint64_t started = 0;    // FILETIME ticks; 0 when unknown
  bool same_user = false;  // run by the user this process runs as
};

// Every process of the system, this one included.
std::vector<ProcessEntry> ListProcesses();

// The processes that count as this program's earlier copies' peers: this one and
// those of this user that started before it (a tie to the lower id).
std::vector<ProcessEntry> EarlierOwnUserProcesses();

// The file name part of a path, compared without regard to case as Windows does.
bool SameFileName(const std::string& a, const std::string& b);

}  // namespace lumi::platform::windows_backend
