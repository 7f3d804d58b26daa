#include "scheme/channel_sequencer.h"

#include "elements/compute/counter.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/math.h"

namespace lumi {

ChannelSequencer::ChannelSequencer(TElement*) {
  TElEditMulti* edit = CreateEditMulti(2, 0);

  counter_ = Create<TElCounter>();
  counter_->Default = 0;
  counter_->Min = 0;
  counter_->Max = kChannels;
  counter_->Step = 1;
  counter_->Direction = 0;

  auto* end_check = Create<TElIf_else>();
  end_check->Type = TElIf_else::kEqual;
  end_check->Op2 = TData::Integer(kChannels);

  auto* end_hub = Create<TElHub>();
  end_hub->InCount = 1;
  end_hub->SetOutCount(2);

  // The counter already points past the channel it announces.
  auto* channel = Create<TElMath>();
  channel->OpType = TElMath::kSubtract;
  channel->Op2 = 1.0;
  channel->ResultType = 0;

  edit->OnWork[0] = Link<&TElIf_else::Compare>(end_check);
  edit->OnWork[1] = Link<&TElIf_else::Compare>(end_check);
  end_check->InOp1 = Link<&TElCounter::OutCount>(counter_);
  end_check->OnTrue = Link<&TElHub::Pass>(end_hub);
  end_check->OnFalse = Link<&TElCounter::Next>(counter_);
  end_hub->OnPass[0] = Link<&TElCounter::Reset>(counter_);
  end_hub->OnPass[1] = Link<&TElEditMulti::Raise>(edit, 1);
  counter_->OnCount = Link<&TElMath::Calc>(channel);
  channel->OnResult = Link<&TElEditMulti::Raise>(edit, 0);
}

}  // namespace lumi
