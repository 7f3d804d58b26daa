#pragma once

#include "elements/compute/chanel_to_index.h"
#include "elements/compute/if_else.h"
#include "elements/compute/index_to_chanel.h"
#include "elements/device/application.h"
#include "elements/device/registry.h"
#include "runtime/container.h"

namespace lumi {

// Starting the program with the user's session: the value "Murvane" under the current
// user's Run key holds the program's full path while autostart is on.
//
// Work[0]: read the value and report OnEvent[0] 1 when it holds this program's path,
//          0 when it is missing or holds another one (the program was moved).
//          Nothing is written.
// Work[1]: 1 writes the value with this program's path, 0 deletes it.
class AutostartSwitch : public Container {
 public:
  static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr const char* kValueName = "Murvane";

  explicit AutostartSwitch(TElement* parent);

  TElEditMulti* edit;
  TElRegistry* registry;
  TElIf_else* comparison;
  TElApplication* application;
  TElChanelToIndex* state;
  TElIndexToChanel* router;
};

}  // namespace lumi
