#pragma once

#include <array>

#include "runtime/container.h"

namespace lumi {

class TElMemory;
class TElTimer;

// Keeps the state of every channel and packs the fourteen states into the two byte
// texts of the output frame: "0" and channels 6..0, then "1" and channels 13..7.
//   Work[0]  channel i: store its state (InData[0]), pass its description text
//            (InData[1]) on through OnEvent[2+i], start the step timer
//   Work[1]  fire the first byte text (OnEvent[0]), then the second (OnEvent[1])
//   Work[2]  stop the step timer
//   OnEvent[16]  the step timer ticked (at the loop's next idle turn): the step is over
class FrameBuilder : public Container {
 public:
  static constexpr int kChannels = 14;

  explicit FrameBuilder(TElement* parent);

  TElTimer* StepTimer() const { return step_timer_; }
  TElMemory* Slot(int channel) const { return slots_[static_cast<size_t>(channel)]; }

 private:
  std::array<TElMemory*, kChannels> slots_{};
  TElTimer* step_timer_ = nullptr;
};

}  // namespace lumi
