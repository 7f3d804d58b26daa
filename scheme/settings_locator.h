#pragma once

#include "runtime/container.h"

namespace lumi {

// Finds the settings file beside the executable and drives the start-up by whether it
// was there.
//   Work[0]          build the path and test for the file
//   OutVar[0..5]     the full path, one point per reader
//   OnEvent[0]       file missing: write the defaults
//   OnEvent[1..3]    read "Port", "BaudRade", "Pause"
//   OnEvent[4]       file was missing: enter setup mode
//   OnEvent[5]       file was there: enter work mode
//   OnEvent[6]       file was there: start the hide-to-tray delay
//   OnEvent[7]       a text for the person: the file could not be made (a folder of
//                    that name, a folder closed for writing), or what stands at its
//                    place is no readable file (the program then goes on with the
//                    defaults in work mode)
class SettingsLocator : public Container {
 public:
  static constexpr int kPathReaders = 6;

  explicit SettingsLocator(TElement* parent);
};

}  // namespace lumi
