#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace lumi::platform::linux_backend {

// Creates the folder and its missing parents (mode 0700 for those it makes); true
// when the folder exists afterwards.
bool MakeFolders(const std::string& folder);

// Replaces folder/file_name with `bytes`: written to a temporary file beside it,
// flushed, given `mode`, renamed over the old one, and the folder flushed, so readers
// see the old file or the new one, never a part of either, and a crash keeps one of
// them. The temporary file never outlives a failure.
bool WriteFileAtomically(const std::string& folder, const std::string& file_name, std::string_view bytes,
                         mode_t mode);

}  // namespace lumi::platform::linux_backend
