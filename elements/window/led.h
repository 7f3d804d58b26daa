#pragma once

#include <cstdint>

#include "elements/window/win.h"

namespace lumi {

// The on-screen lamp: a lit or dark disc (or square) drawn with fills, lines and arcs.
class TElLED : public TElWin {
 public:
  static constexpr platform::Color kGrey = 0x808080;
  static constexpr platform::Color kWhite = 0xFFFFFF;

  explicit TElLED(TElWin* parent) : TElWin(platform::ControlKind::Canvas, parent) {}

  platform::Color ColorOn = 0;
  platform::Color ColorOff = 0;
  platform::Color ColorLight = 0;  // the small highlight of the lit lamp
  bool State = false;              // lit; the state at creation, then the current one
  uint8_t Shape = 0;               // 0 round, 1 square, anything else a flat rectangle
  bool Relief = false;             // bevel and highlight
  TEl_Event OnState;               // integer: the new state, 0 or 1

  // Only a real change repaints and fires OnState.
  void On(TData& data, uint16_t index);
  void Off(TData& data, uint16_t index);

 protected:
  void Paint(platform::Painter& painter) override;

 private:
  void Change(TData& data, bool lit);
  void PaintRound(platform::Painter& painter, int32_t right, int32_t bottom, platform::Color light1,
                  platform::Color light2);
  void PaintSquare(platform::Painter& painter, int32_t right, int32_t bottom, platform::Color light1,
                   platform::Color light2);
};

}  // namespace lumi
