#include "scheme/repeat_unit.h"

namespace lumi {

namespace {

TElHub* TwoWayHub(TElHub* hub) {
  hub->InCount = 1;
  hub->SetOutCount(2);
  return hub;
}

}  // namespace

TClassMultiElement_14EF2B8::TClassMultiElement_14EF2B8(TElement*) {
  edit = CreateEditMulti(4, 0);

  up_delay = Create<TElTimer>();
  up_delay->SetIntervalMs(kDelayMs);
  up_delay->SetAutoStop(1);
  up_repeater = Create<TElTimer>();
  up_repeater->SetIntervalMs(kRepeatMs);
  up_repeater->SetAutoStop(0);
  down_delay = Create<TElTimer>();
  down_delay->SetIntervalMs(kDelayMs);
  down_delay->SetAutoStop(1);
  down_repeater = Create<TElTimer>();
  down_repeater->SetIntervalMs(kRepeatMs);
  down_repeater->SetAutoStop(0);

  up_press = TwoWayHub(Create<TElHub>());
  up_release = TwoWayHub(Create<TElHub>());
  down_press = TwoWayHub(Create<TElHub>());
  down_release = TwoWayHub(Create<TElHub>());

  edit->OnWork[0] = Link<&TElHub::Pass>(up_press);
  up_press->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 0);
  up_press->OnPass[1] = Link<&TElTimer::Start>(up_delay);
  up_delay->OnTimer = Link<&TElTimer::Start>(up_repeater);
  up_repeater->OnTimer = Link<&TElEditMulti::Raise>(edit, 0);
  edit->OnWork[1] = Link<&TElHub::Pass>(up_release);
  up_release->OnPass[0] = Link<&TElTimer::Stop>(up_delay);
  up_release->OnPass[1] = Link<&TElTimer::Stop>(up_repeater);

  edit->OnWork[2] = Link<&TElHub::Pass>(down_press);
  down_press->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 1);
  down_press->OnPass[1] = Link<&TElTimer::Start>(down_delay);
  down_delay->OnTimer = Link<&TElTimer::Start>(down_repeater);
  down_repeater->OnTimer = Link<&TElEditMulti::Raise>(edit, 1);
  edit->OnWork[3] = Link<&TElHub::Pass>(down_release);
  down_release->OnPass[0] = Link<&TElTimer::Stop>(down_delay);
  down_release->OnPass[1] = Link<&TElTimer::Stop>(down_repeater);
}

}  // namespace lumi
