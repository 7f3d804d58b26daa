#pragma once

namespace lumi::platform::linux_backend {

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed. Started with
// them closed, the program would otherwise get them for the first files it opens, and
// its serial port could become "stderr", with every message written into the unit.
// Call it first thing, before anything opens a file.
void OpenMissingStandardStreams();

}  // namespace lumi::platform::linux_backend
