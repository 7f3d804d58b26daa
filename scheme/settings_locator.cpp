#include "scheme/settings_locator.h"

#include <array>

#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/index_to_chanel.h"
#include "elements/compute/memory.h"
#include "elements/device/dir.h"
#include "elements/device/file_tools.h"
#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {
namespace {

TElMemory* Problem(TElMemory* memory, const char* text) {
  memory->SetDefault(TData::String(W(text)));
  return memory;
}

}  // namespace

SettingsLocator::SettingsLocator(TElement*) {
  TElEditMulti* edit = CreateEditMulti(1, kPathReaders);

  auto* folder_reader = Create<TElDir>();

  auto* path = Create<TElFormatStr>();
  path->Mask = "%1Settings.ini";
  path->SetCount(1);

  auto* file_check = Create<TElFileTools>();
  auto* kind_router = Create<TElIndexToChanel>();
  kind_router->SetCount(5);

  // A missing file is written from the defaults; whether that worked is looked at again.
  auto* created_check = Create<TElFileTools>();
  auto* created = Create<TElIf_else>();
  created->Type = TElIf_else::kEqual;
  created->Op2 = TData::Integer(1);

  auto* missing_hub = SetUpHub(Create<TElHub>(), 6);
  auto* found_hub = SetUpHub(Create<TElHub>(), 5);

  // What stands at the path but cannot serve as the settings file: the program goes on
  // with the defaults, and says why. A folder is written over like a missing file, which
  // fails and is said.
  auto* not_created = Problem(
      Create<TElMemory>(), "Файл настроек Settings.ini создать не удалось, действуют настройки по умолчанию");
  auto* other =
      Problem(Create<TElMemory>(), "Settings.ini — не обычный файл, действуют настройки по умолчанию");
  auto* unreadable =
      Problem(Create<TElMemory>(), "Settings.ini не читается (нет прав), действуют настройки по умолчанию");
  const auto unusable_hubs = std::array{SetUpHub(Create<TElHub>(), 2), SetUpHub(Create<TElHub>(), 2)};

  edit->OnWork[0] = Link<&TElFormatStr::Format>(path);
  path->InStr[0] = Link<&TElDir::OutFolder>(folder_reader);
  path->OnFormat = Link<&TElFileTools::Kind>(file_check);
  file_check->OnKind = Link<&TElIndexToChanel::Route>(kind_router);
  kind_router->OnChannel[0] = Link<&TElHub::Pass>(missing_hub);
  kind_router->OnChannel[1] = Link<&TElHub::Pass>(found_hub);
  kind_router->OnChannel[2] = Link<&TElHub::Pass>(missing_hub);
  TElMemory* const unusable[] = {other, unreadable};
  for (size_t kind = 0; kind < unusable_hubs.size(); ++kind) {
    kind_router->OnChannel[3 + kind] = Link<&TElHub::Pass>(unusable_hubs[kind]);
    unusable_hubs[kind]->OnPass[0] = Link<&TElMemory::Clear>(unusable[kind]);
    unusable_hubs[kind]->OnPass[1] = Link<&TElHub::Pass>(found_hub);
    unusable[kind]->OnStore = Link<&TElEditMulti::Raise>(edit, 7);
  }
  missing_hub->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 0);
  missing_hub->OnPass[1] = Link<&TElFileTools::FileExists>(created_check);
  missing_hub->OnPass[2] = Link<&TElEditMulti::Raise>(edit, 1);
  missing_hub->OnPass[3] = Link<&TElEditMulti::Raise>(edit, 2);
  missing_hub->OnPass[4] = Link<&TElEditMulti::Raise>(edit, 3);
  missing_hub->OnPass[5] = Link<&TElEditMulti::Raise>(edit, 4);
  created_check->InFileName = Link<&TElFormatStr::OutResult>(path);
  created_check->OnExists = Link<&TElIf_else::Compare>(created);
  created->OnFalse = Link<&TElMemory::Clear>(not_created);
  not_created->OnStore = Link<&TElEditMulti::Raise>(edit, 7);
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
