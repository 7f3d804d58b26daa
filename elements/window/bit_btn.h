#pragma once

#include "elements/window/win.h"

namespace lumi {

// A button with a picture, drawn by the element: a flat one shows a thin sunken edge
// while pressed and a raised one while the pointer is over it, otherwise nothing
// (NoFrame) or a one-pixel frame; one that is not flat always has a push-button edge.
class TElBitBtn : public TElWin {
 public:
  explicit TElBitBtn(TElWin* parent) : TElWin(platform::ControlKind::PictureButton, parent) {}

  platform::Picture Picture;
  bool Flat = false;
  bool NoFrame = false;
  platform::Color FrameColor = 0;
  TEl_Event OnClick;  // no value

  // The incoming picture (a Bitmap value) is copied into the button, which is redrawn;
  // a value that is no picture leaves the button without one.
  void SetPicture(TData& data, uint16_t index);

  bool IsPressed() const { return pressed_ && over_; }
  bool IsPointerOver() const { return over_; }

 protected:
  void Paint(platform::Painter& painter) override;
  void MouseDown(platform::MouseButton button, platform::Point at) override;
  void MouseMove(int32_t held, platform::Point at) override;
  void MouseUp(platform::MouseButton button, platform::Point at) override;
  void MouseLeave() override { SetLook(pressed_, false); }
  void Clicked() override;

 private:
  bool Inside(platform::Point at) const;
  void SetLook(bool pressed, bool over);

  bool pressed_ = false;  // the left button went down on it and is still held
  bool over_ = false;     // the pointer is over it
};

}  // namespace lumi
