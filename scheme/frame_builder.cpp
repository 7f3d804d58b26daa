#include "scheme/frame_builder.h"

#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/index_to_chanel.h"
#include "elements/compute/memory.h"
#include "elements/window/timer.h"

namespace lumi {

FrameBuilder::FrameBuilder(TElement*) {
  TElEditMulti* edit = CreateEditMulti(3, 0);

  // A slot holds exactly 0 or 1, and 0 until its channel is first evaluated: the byte
  // text must keep seven digits after the tag, or every later bit would move.
  for (TElMemory*& slot : slots_) {
    slot = Create<TElMemory>();
    slot->SetDefault(TData::Integer(0));
  }

  auto* store_hub = Create<TElHub>();
  store_hub->InCount = 1;
  store_hub->SetOutCount(3);

  // Only a state of 1 lights the channel; an empty state (a Signal that selects no
  // condition) or anything else counts as 0.
  auto* state_check = Create<TElIf_else>();
  state_check->Type = TElIf_else::kEqual;
  state_check->Op1 = TData::Integer(1);
  state_check->Op2 = TData::Integer(0);

  auto* lit_router = Create<TElIndexToChanel>();
  lit_router->SetCount(kChannels);
  lit_router->Data = TData::Integer(1);

  auto* dark_router = Create<TElIndexToChanel>();
  dark_router->SetCount(kChannels);
  dark_router->Data = TData::Integer(0);

  auto* text_router = Create<TElIndexToChanel>();
  text_router->SetCount(kChannels);

  step_timer_ = Create<TElTimer>();
  // Between two channels the loop handles what is pending, then the next one follows at
  // once: one wake-up per cycle, the frame out right after the tick.
  step_timer_->AtIdle = true;
  step_timer_->AutoStop = 0;
  step_timer_->QueueTicks = true;

  auto* tick_hub = Create<TElHub>();
  tick_hub->InCount = 1;
  tick_hub->SetOutCount(2);

  auto* frame_hub = Create<TElHub>();
  frame_hub->InCount = 1;
  frame_hub->SetOutCount(2);

  auto* low_byte = Create<TElFormatStr>();
  low_byte->Mask = "0%1%2%3%4%5%6%7";
  low_byte->SetCount(7);

  auto* high_byte = Create<TElFormatStr>();
  high_byte->Mask = "1%1%2%3%4%5%6%7";
  high_byte->SetCount(7);

  edit->OnWork[0] = Link<&TElHub::Pass>(store_hub);
  store_hub->OnPass[0] = Link<&TElIf_else::Compare>(state_check);
  store_hub->OnPass[1] = Link<&TElIndexToChanel::Route>(text_router);
  store_hub->OnPass[2] = Link<&TElTimer::Start>(step_timer_);
  state_check->InOp2 = Link<&TElEditMulti::OutData>(edit, 0);
  state_check->OnTrue = Link<&TElIndexToChanel::Route>(lit_router);
  state_check->OnFalse = Link<&TElIndexToChanel::Route>(dark_router);
  text_router->InData = Link<&TElEditMulti::OutData>(edit, 1);
  for (int i = 0; i < kChannels; ++i) {
    const auto slot = static_cast<size_t>(i);
    lit_router->OnChannel[slot] = Link<&TElMemory::Store>(slots_[slot]);
    dark_router->OnChannel[slot] = Link<&TElMemory::Store>(slots_[slot]);
    text_router->OnChannel[slot] = Link<&TElEditMulti::Raise>(edit, static_cast<uint16_t>(2 + i));
  }

  step_timer_->OnTimer = Link<&TElHub::Pass>(tick_hub);
  tick_hub->OnPass[0] = Link<&TElTimer::Stop>(step_timer_);
  tick_hub->OnPass[1] = Link<&TElEditMulti::Raise>(edit, 16);

  edit->OnWork[1] = Link<&TElHub::Pass>(frame_hub);
  frame_hub->OnPass[0] = Link<&TElFormatStr::Format>(low_byte);
  frame_hub->OnPass[1] = Link<&TElFormatStr::Format>(high_byte);
  for (int k = 0; k < 7; ++k) {
    low_byte->InStr[static_cast<size_t>(k)] = Link<&TElMemory::OutValue>(slots_[static_cast<size_t>(6 - k)]);
    high_byte->InStr[static_cast<size_t>(k)] =
        Link<&TElMemory::OutValue>(slots_[static_cast<size_t>(13 - k)]);
  }
  low_byte->OnFormat = Link<&TElEditMulti::Raise>(edit, 0);
  high_byte->OnFormat = Link<&TElEditMulti::Raise>(edit, 1);

  edit->OnWork[2] = Link<&TElTimer::Stop>(step_timer_);
}

}  // namespace lumi
