#pragma once

#include "runtime/container.h"

namespace lumi {

class TElConsoleLine;
class TElCPUUsage;
class TElDoData;
class TElFormatStr;
class TElHub;
class TElTimer;

// A small main scheme: once a second, measure the processor load over all processors
// and print it as a line.
class LoadScheme : public Container {
 public:
  LoadScheme();

  // Starts the scheme: dispatchers on, deferred start-up run, timer running.
  void Start();

 private:
  TElTimer* timer_;
  TElHub* tick_;
  TElCPUUsage* cpu_;
  TElDoData* processor_count_;
  TElFormatStr* text_;
  TElConsoleLine* console_;
};

}  // namespace lumi
