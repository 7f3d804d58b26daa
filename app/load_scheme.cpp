#include "app/load_scheme.h"

#include "app/console_line.h"
#include "elements/compute/do_data.h"
#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/sensors/cpu_usage.h"
#include "elements/window/timer.h"
#include "runtime/cp1251.h"
#include "runtime/event.h"

namespace lumi {

LoadScheme::LoadScheme() {
  timer_ = Create<TElTimer>();
  timer_->SetIntervalMs(1000);

  tick_ = Create<TElHub>();
  tick_->SetOutCount(2);

  cpu_ = Create<TElCPUUsage>();
  processor_count_ = Create<TElDoData>();

  text_ = Create<TElFormatStr>();
  text_->Mask = cp1251::FromUtf8("Загрузка ЦП %1 %");
  text_->SetCount(1);

  console_ = Create<TElConsoleLine>();

  timer_->OnTimer = Link<&TElHub::Pass>(tick_);
  // The processor count selects the total over all processors.
  tick_->OnPass[0] = Link<&TElDoData::Send>(processor_count_);
  processor_count_->InData = Link<&TElCPUUsage::OutProcessorCount>(cpu_);
  processor_count_->OnSend = Link<&TElCPUUsage::SetProcessor>(cpu_);
  tick_->OnPass[1] = Link<&TElCPUUsage::Measure>(cpu_);
  cpu_->OnLoad = Link<&TElFormatStr::Format>(text_);
  text_->OnFormat = Link<&TElConsoleLine::Print>(console_);
}

void LoadScheme::Start() {
  EnableDispatchers();
  RunInits();
  timer_->SetEnabled(true);
}

}  // namespace lumi
