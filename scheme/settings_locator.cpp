#include "scheme/settings_locator.h"

#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/device/dir.h"
#include "elements/device/file_tools.h"

namespace lumi {

TClassMultiElement_E39B80::TClassMultiElement_E39B80(TElement*) {
  TElEditMulti* edit = CreateEditMulti(1, kPathReaders);

  auto* folder = Create<TElDir>();

  auto* path = Create<TElFormatStr>();
  path->Mask = "%1Settings.ini";
  path->SetCount(1);

  auto* file_check = Create<TElFileTools>();

  auto* found = Create<TElIf_else>();
  found->Type = 0;
  found->Op2 = TData::Integer(1);

  auto* missing_hub = Create<TElHub>();
  missing_hub->InCount = 1;
  missing_hub->SetOutCount(5);

  auto* found_hub = Create<TElHub>();
  found_hub->InCount = 1;
  found_hub->SetOutCount(5);

  edit->OnWork[0] = Link<&TElFormatStr::Format>(path);
  path->InStr[0] = Link<&TElDir::OutFolder>(folder);
  path->OnFormat = Link<&TElFileTools::FileExists>(file_check);
  file_check->OnExists = Link<&TElIf_else::Compare>(found);
  found->OnFalse = Link<&TElHub::Pass>(missing_hub);
  found->OnTrue = Link<&TElHub::Pass>(found_hub);
  missing_hub->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 0);
  missing_hub->OnPass[1] = Link<&TElEditMulti::Raise>(edit, 1);
  missing_hub->OnPass[2] = Link<&TElEditMulti::Raise>(edit, 2);
  missing_hub->OnPass[3] = Link<&TElEditMulti::Raise>(edit, 3);
  missing_hub->OnPass[4] = Link<&TElEditMulti::Raise>(edit, 4);
  found_hub->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 1);
  found_hub->OnPass[1] = Link<&TElEditMulti::Raise>(edit, 2);
  found_hub->OnPass[2] = Link<&TElEditMulti::Raise>(edit, 3);
  found_hub->OnPass[3] = Link<&TElEditMulti::Raise>(edit, 5);
  found_hub->OnPass[4] = Link<&TElEditMulti::Raise>(edit, 6);
  for (int reader = 0; reader < kPathReaders; ++reader) {
    edit->InVar[static_cast<size_t>(reader)] = Link<&TElFormatStr::OutResult>(path);
  }
}

}  // namespace lumi
