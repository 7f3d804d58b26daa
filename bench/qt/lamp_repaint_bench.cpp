// Repainting the fourteen lamps of one frame on the Qt backend (offscreen), the whole
// way: the state change, the repaint request and the painting itself.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <vector>

#include "elements/window/led.h"
#include "platform/qt/qt_ui.h"
#include "platform/services.h"
#include "runtime/event.h"

namespace lumi {
namespace {

void FourteenLampsOfOneFrame(benchmark::State& state) {
  platform::qt_backend::QtUi ui;
  platform::Current().ui = &ui;
  EnableDispatchers();

  TElWin form(platform::ControlKind::Form, nullptr);
  form.Width = 280;
  form.Height = 476;
  form.Init();
  std::vector<std::unique_ptr<TElLED>> lamps;
  for (int n = 0; n < 14; ++n) {
    auto lamp = std::make_unique<TElLED>(&form);
    lamp->Left = 8;
    lamp->Top = 13 + 33 * n;
    lamp->Width = lamp->Height = 15;
    lamp->ColorOn = 255;
    lamp->ColorOff = 128;
    lamp->ColorLight = 0xFFFFFF;
    lamp->Relief = true;
    lamp->Init();
    lamps.push_back(std::move(lamp));
  }
  QApplication::processEvents();

  bool lit = false;
  for (auto _ : state) {
    lit = !lit;
    TData d;
    for (auto& lamp : lamps) lit ? lamp->On(d, 0) : lamp->Off(d, 0);
    QApplication::processEvents();  // the paint events of this frame
  }
  lamps.clear();
  platform::ResetServices();
}
BENCHMARK(FourteenLampsOfOneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumi

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
