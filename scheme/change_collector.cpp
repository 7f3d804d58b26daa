#include "scheme/change_collector.h"

#include <array>

#include "elements/compute/do_data.h"
#include "elements/compute/hub.h"

namespace lumi {

namespace {

// Per change point: the parameter key it writes after "Signal".
constexpr std::array<int, ChangeCollector::kChangePoints> kParameterKey = {1, 2, 1, 2, 1, 2, 1,
                                                                           1, 1, 1, 2, 2, 2};

}  // namespace

ChangeCollector::ChangeCollector(TElement*) {
  TElEditMulti* edit = CreateEditMulti(kChangePoints, 0);

  std::array<TElHub*, 2> change_hubs{};  // Var1 changes, Var2 changes
  for (TElHub*& hub : change_hubs) {
    hub = Create<TElHub>();
    hub->InCount = 1;
    hub->SetOutCount(3);
  }

  std::array<TElDoData*, 3> keys{};  // Signal, Var1, Var2
  for (size_t key = 0; key < keys.size(); ++key) {
    keys[key] = Create<TElDoData>();
    keys[key]->Data = TData::Integer(static_cast<int32_t>(key));
  }

  for (size_t point = 0; point < kParameterKey.size(); ++point) {
    edit->OnWork[point] = Link<&TElHub::Pass>(change_hubs[static_cast<size_t>(kParameterKey[point] - 1)]);
  }
  for (size_t hub = 0; hub < change_hubs.size(); ++hub) {
    change_hubs[hub]->OnPass[0] = Link<&TElDoData::Send>(keys[0]);
    change_hubs[hub]->OnPass[1] = Link<&TElDoData::Send>(keys[hub + 1]);
    change_hubs[hub]->OnPass[2] = Link<&TElEditMulti::Raise>(edit, 1);
  }
  for (TElDoData* key : keys) key->OnSend = Link<&TElEditMulti::Raise>(edit, 0);
}

}  // namespace lumi
