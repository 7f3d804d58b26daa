#pragma once

#include "runtime/container.h"

namespace lumi {

class TElCounter;
class TElIf_else;

// Walks the fourteen channels, one per step request; the request after the last one
// asks for the frame instead and starts the walk over.
//   Work[0]  step request of the cycle timer
//   Work[1]  step request at the end of the previous step
//   OnEvent[0]  channel index 0..13 to evaluate now
//   OnEvent[1]  all channels evaluated: build and send the frame
class ChannelSequencer : public Container {
 public:
  static constexpr int kChannels = 14;

  explicit ChannelSequencer(TElement* parent);

  TElCounter* Counter() const { return counter_; }

 private:
  TElCounter* counter_ = nullptr;
};

}  // namespace lumi
