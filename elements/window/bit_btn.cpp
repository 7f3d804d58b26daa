#include "elements/window/bit_btn.h"

#include <algorithm>

namespace lumi {

void TElBitBtn::SetPicture(TData& data, uint16_t) {
  const auto* picture =
      data.type == DataType::Bitmap ? static_cast<const platform::Picture*>(data.object) : nullptr;
  if (picture == nullptr) {
    Picture = {};
  } else if (picture != &Picture) {
    Picture = *picture;
  }
  if (PlatformControl() != nullptr) PlatformControl()->Repaint();
}

void TElBitBtn::Paint(platform::Painter& painter) {
  if (PlatformControl() == nullptr) return;
  const platform::Rect place = PlatformControl()->Geometry();
  // Sizes from a Width or Height action may be anything; pictures are small.
  const platform::Rect box{0, 0, std::clamp(place.width, 0, 32767), std::clamp(place.height, 0, 32767)};
  painter.FillRect(box, Color);
  if (!Picture.IsEmpty()) {
    painter.DrawPicture({(box.width - Picture.width) / 2, (box.height - Picture.height) / 2}, Picture);
  }
  if (!Flat) {
    painter.Edge(box, IsPressed());
  } else if (IsPressed()) {
    painter.Edge(box, true);
  } else if (over_) {
    painter.Edge(box, false);
  } else if (!NoFrame) {
    painter.Frame(box, FrameColor);
  }
}

bool TElBitBtn::Inside(platform::Point at) const {
  if (PlatformControl() == nullptr) return false;
  const platform::Rect place = PlatformControl()->Geometry();
  return at.x >= 0 && at.y >= 0 && at.x < place.width && at.y < place.height;
}

void TElBitBtn::SetLook(bool pressed, bool over) {
  const bool changed = IsPressed() != (pressed && over) || over_ != over;
  pressed_ = pressed;
  over_ = over;
  if (changed && PlatformControl() != nullptr && !Destroying()) PlatformControl()->Repaint();
}

void TElBitBtn::MouseDown(platform::MouseButton button, platform::Point at) {
  if (button == platform::MouseButton::Left) SetLook(true, Inside(at));
  TElWin::MouseDown(button, at);
}

void TElBitBtn::MouseMove(int32_t held, platform::Point at) {
  SetLook(pressed_, Inside(at));
  TElWin::MouseMove(held, at);
}

void TElBitBtn::MouseUp(platform::MouseButton button, platform::Point at) {
  if (button == platform::MouseButton::Left) SetLook(false, Inside(at));
  TElWin::MouseUp(button, at);
}

void TElBitBtn::Clicked() {
  if (!Destroying()) FireNull(OnClick);
}

}  // namespace lumi
