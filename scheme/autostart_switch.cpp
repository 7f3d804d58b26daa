#include "scheme/autostart_switch.h"

namespace lumi {

AutostartSwitch::AutostartSwitch(TElement*) {
  edit = CreateEditMulti(2, 0);

  registry = Create<TElRegistry>();
  registry->Root = 1;  // current user
  registry->Key = kRunKey;
  registry->ValueName = kValueName;
  registry->DataType = 1;  // text

  comparison = Create<TElIf_else>();
  comparison->Type = TElIf_else::kEqual;

  application = Create<TElApplication>();

  state = Create<TElChanelToIndex>();
  state->SetCount(2);

  router = Create<TElIndexToChanel>();
  router->SetCount(2);

  edit->OnWork[0] = Link<&TElRegistry::Read>(registry);
  registry->OnValue = Link<&TElIf_else::Compare>(comparison);
  comparison->InOp2 = Link<&TElApplication::OutFileName>(application);
  comparison->OnTrue = Link<&TElChanelToIndex::Select>(state, 1);
  comparison->OnFalse = Link<&TElChanelToIndex::Select>(state, 0);
  state->OnIndex = Link<&TElEditMulti::Raise>(edit, 0);

  edit->OnWork[1] = Link<&TElIndexToChanel::Route>(router);
  router->OnChannel[0] = Link<&TElRegistry::Delete>(registry);
  router->OnChannel[1] = Link<&TElRegistry::Write>(registry);
  registry->InValue = Link<&TElApplication::OutFileName>(application);
}

}  // namespace lumi
