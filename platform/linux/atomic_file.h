#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace lumi::platform::linux_backend {

// Creates the folder and its missing parents (mode 0700 for those it makes); true
// when the folder exists afterwards.
bool MakeFolders(const std::string& folder);

// The file a write of `path` replaces: `path` itself, or the end of its chain of
// symbolic links, which need not exist yet (each relative link read from its own
// folder). Empty when the chain does not end (a loop, or too long) or cannot be read.
std::string WriteTarget(const std::string& path);

// The one way every file of ours is written. Replaces the file at `path` (links
// followed, see WriteTarget) with `bytes`: written to a temporary file beside it,
// flushed to disk, given the old file's mode and, where we may, its owner, renamed over
// it, and the folder flushed, so readers see the old file or the new one, never a part
// of either, and a crash keeps one of them. A new file gets `new_file_mode` less the
// umask. Only a regular file (or none) is replaced, never a folder or a device, and
// the folder must exist. The temporary never outlives a failure; false then, with the
// file as it was.
bool ReplaceFile(const std::string& path, std::string_view bytes, mode_t new_file_mode = 0666);

// Removes the temporary files that writes of `path` left beside it when the process
// doing them was killed midway: only names that our writers use for that very file,
// only the user's own regular files, and never one a live writer still holds. Does
// its work once per file and process; later calls cost a lookup.
void RemoveLeftoversOnce(const std::string& path);

}  // namespace lumi::platform::linux_backend
