#include "platform/linux/linux_files.h"

#include "platform/linux/atomic_file.h"

namespace lumi::platform::linux_backend {

bool LinuxFiles::Replace(const std::string& path, std::string_view bytes) { return ReplaceFile(path, bytes); }

}  // namespace lumi::platform::linux_backend
