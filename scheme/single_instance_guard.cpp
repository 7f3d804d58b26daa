#include "scheme/single_instance_guard.h"

#include "elements/compute/counter.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/memory.h"
#include "elements/device/application.h"
#include "elements/device/enum_process.h"
#include "elements/device/file_part.h"

namespace lumi {

SingleInstanceGuard::SingleInstanceGuard(TElement*) {
  TElEditMulti* edit = CreateEditMulti(1, 1);

  auto* start_hub = Create<TElHub>();
  start_hub->InCount = 1;
  start_hub->SetOutCount(3);

  auto* application = Create<TElApplication>();

  auto* own_part = Create<TElFilePart>();
  own_part->NameWithExt = true;

  auto* own_name = Create<TElMemory>();

  // Counting every copy, two copies started together would each see the other and
  // both close; counting only earlier ones, exactly the later one closes.
  auto* processes = Create<TElEnumProcess>();
  processes->EarlierOnly = true;

  auto* process_part = Create<TElFilePart>();
  process_part->NameWithExt = true;

  auto* same_name = Create<TElIf_else>();
  same_name->Type = TElIf_else::kEqual;

  auto* copies = Create<TElCounter>();
  copies->Default = 0;
  copies->Min = 0;
  copies->Max = 100;
  copies->Step = 1;
  copies->Direction = 0;

  // This copy counts itself once; the second match is another copy. Reporting it only
  // there closes the window once however many copies run.
  auto* another_copy = Create<TElIf_else>();
  another_copy->Type = TElIf_else::kEqual;
  another_copy->Op2 = TData::Integer(2);

  auto* another_copy_hub = Create<TElHub>();
  another_copy_hub->InCount = 1;
  another_copy_hub->SetOutCount(2);

  running_copy_ = Create<TElMemory>();

  edit->OnWork[0] = Link<&TElHub::Pass>(start_hub);
  start_hub->OnPass[0] = Link<&TElCounter::Reset>(copies);
  start_hub->OnPass[1] = Link<&TElFilePart::Split>(own_part);
  start_hub->OnPass[2] = Link<&TElEnumProcess::Enum>(processes);
  own_part->InFileName = Link<&TElApplication::OutFileName>(application);
  own_part->OnName = Link<&TElMemory::Store>(own_name);
  processes->OnProcess = Link<&TElFilePart::Split>(process_part);
  processes->OnEnd = Link<&TElEditMulti::Raise>(edit, 1);
  process_part->OnName = Link<&TElIf_else::Compare>(same_name);
  same_name->InOp2 = Link<&TElMemory::OutValue>(own_name);
  same_name->OnTrue = Link<&TElCounter::Next>(copies);
  copies->OnCount = Link<&TElIf_else::Compare>(another_copy);
  another_copy->OnTrue = Link<&TElHub::Pass>(another_copy_hub);
  another_copy_hub->OnPass[0] = Link<&TElApplication::ShowRunningCopy>(application);
  another_copy_hub->OnPass[1] = Link<&TElEditMulti::Raise>(edit, 0);
  application->OnRunningCopy = Link<&TElMemory::Store>(running_copy_);
  edit->InVar[0] = Link<&TElMemory::OutValue>(running_copy_);
}

int32_t SingleInstanceGuard::RunningCopy() const {
  TData id;
  running_copy_->OutValue(id, 0);
  return id.IsNull() ? 0 : id.AsInteger();
}

}  // namespace lumi
