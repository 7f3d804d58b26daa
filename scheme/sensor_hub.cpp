#include "scheme/sensor_hub.h"

#include "elements/compute/do_data.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/memory.h"
#include "elements/sensors/cpu_usage.h"
#include "elements/sensors/memory_status.h"

namespace lumi {

SensorHub::SensorHub(TElement*) {
  TElEditMulti* edit = CreateEditMulti(1, 9);

  auto* sample_hub = Create<TElHub>();
  sample_hub->InCount = 1;
  sample_hub->SetOutCount(3);

  // Processor number n (the count) is the total over all of them.
  auto* all_processors = Create<TElDoData>();

  auto* cpu = Create<TElCPUUsage>();

  auto* load = Create<TElMemory>();

  auto* memory = Create<TElMemoryStatus>();
  memory->Unit = 2;

  auto* total_phys = Create<TElGetData>();
  total_phys->Count = 2;
  auto* avail_phys = Create<TElGetData>();
  avail_phys->Count = 2;
  auto* total_page = Create<TElGetData>();
  total_page->Count = 2;
  auto* avail_page = Create<TElGetData>();
  avail_page->Count = 2;

  edit->OnWork[0] = Link<&TElHub::Pass>(sample_hub);
  sample_hub->OnPass[0] = Link<&TElDoData::Send>(all_processors);
  sample_hub->OnPass[1] = Link<&TElCPUUsage::Measure>(cpu);
  sample_hub->OnPass[2] = Link<&TElMemoryStatus::Refresh>(memory);
  all_processors->InData = Link<&TElCPUUsage::OutProcessorCount>(cpu);
  all_processors->OnSend = Link<&TElCPUUsage::SetProcessor>(cpu);
  cpu->OnLoad = Link<&TElMemory::Store>(load);

  total_phys->InData = Link<&TElMemoryStatus::OutTotalPhys>(memory);
  avail_phys->InData = Link<&TElMemoryStatus::OutAvailPhys>(memory);
  total_page->InData = Link<&TElMemoryStatus::OutTotalPageFile>(memory);
  avail_page->InData = Link<&TElMemoryStatus::OutAvailPageFile>(memory);

  edit->InVar[0] = Link<&TElMemory::OutValue>(load);
  edit->InVar[1] = Link<&TElGetData::OutData>(total_phys);
  edit->InVar[2] = Link<&TElGetData::OutData>(avail_phys);
  edit->InVar[3] = Link<&TElGetData::OutData>(total_phys, 1);
  edit->InVar[4] = Link<&TElGetData::OutData>(avail_phys, 1);
  edit->InVar[5] = Link<&TElGetData::OutData>(total_page);
  edit->InVar[6] = Link<&TElGetData::OutData>(avail_page);
  edit->InVar[7] = Link<&TElGetData::OutData>(total_page, 1);
  edit->InVar[8] = Link<&TElGetData::OutData>(avail_page, 1);
}

}  // namespace lumi
