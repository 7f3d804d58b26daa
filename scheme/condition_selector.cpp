#include "scheme/condition_selector.h"

#include <array>

#include "elements/compute/case_element.h"
#include "elements/compute/do_data.h"
#include "elements/compute/hub.h"

namespace lumi {

ConditionSelector::ConditionSelector(TElement*) {
  TElEditMulti* edit = CreateEditMulti(1, 0);

  auto* type_hub = Create<TElHub>();
  type_hub->InCount = 1;
  type_hub->SetOutCount(kEventTypes);

  std::array<TElCase*, kEventTypes> chosen{};
  std::array<TElDoData*, kEventTypes> not_chosen{};
  for (int j = 0; j < kEventTypes; ++j) {
    const auto n = static_cast<size_t>(j);
    chosen[n] = Create<TElCase>();
    chosen[n]->Value = TData::Integer(j);
    chosen[n]->DataOnMatch = TData::Integer(1);
    not_chosen[n] = Create<TElDoData>();
    not_chosen[n]->Data = TData::Integer(0);
  }

  edit->OnWork[0] = Link<&TElHub::Pass>(type_hub);
  for (int j = 0; j < kEventTypes; ++j) {
    const auto n = static_cast<size_t>(j);
    type_hub->OnPass[n] = Link<&TElCase::Test>(chosen[n]);
    chosen[n]->OnMatch = Link<&TElEditMulti::Raise>(edit, static_cast<uint16_t>(j));
    chosen[n]->OnNext = Link<&TElDoData::Send>(not_chosen[n]);
    not_chosen[n]->OnSend = Link<&TElEditMulti::Raise>(edit, static_cast<uint16_t>(j));
  }
}

}  // namespace lumi
