#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/recording_painter.h"
#include "platform/ui.h"

namespace lumi::platform::headless {

class HeadlessUi;

// Everything the element told its control, as a native control would hold it.
struct ControlState {
  Rect geometry;
  bool visible = false;  // controls are created hidden, as native windows are
  bool enabled = true;
  Color color = 0;
  FontSpec font;
  std::string hint;
  int32_t tab_order = 0;
  std::string text;
  std::vector<std::string> items;
  int32_t selection = -1;
  bool checked = false;
  CalendarTime date_time;
  DatePickerStyle date_style;
  int32_t scroll_bars = 0;
  int32_t border_style = -1;  // never set
  Picture icon;
  uint8_t opacity = 255;
  bool minimized = false;

  int raise_count = 0;
  int repaint_count = 0;  // Repaint calls
  int paint_count = 0;    // paints delivered to the element, by Repaint or PaintNow
  int activate_count = 0;
  int drag_move_count = 0;
};

// The mirror of one control. It only keeps state and never reports a change made
// through this interface, except what a native toolkit reports synchronously too: a
// form shown reports Shown, and a repaint of a self-drawn control paints at once.
class HeadlessControl final : public Control {
 public:
  HeadlessControl(HeadlessUi* ui, ControlKind kind, HeadlessControl* parent, ControlEvents* events);
  ~HeadlessControl() override;
  HeadlessControl(const HeadlessControl&) = delete;
  HeadlessControl& operator=(const HeadlessControl&) = delete;

  void SetGeometry(const Rect& rect) override { state_.geometry = rect; }
  Rect Geometry() override { return state_.geometry; }
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override { state_.enabled = enabled; }
  void SetColor(Color color) override { state_.color = color; }
  void SetFont(const FontSpec& font) override { state_.font = font; }
  void SetHint(const std::string& hint) override { state_.hint = hint; }
  void SetTabOrder(int32_t order) override { state_.tab_order = order; }
  void RaiseToTop() override { ++state_.raise_count; }
  void Repaint() override;

  void SetText(const std::string& text) override { state_.text = text; }
  void SetItems(const std::vector<std::string>& items) override;
  void SetSelection(int32_t index) override;
  void SetChecked(bool checked) override { state_.checked = checked; }
  void SetDateTime(const CalendarTime& value) override { state_.date_time = value; }
  void SetDatePickerStyle(const DatePickerStyle& style) override { state_.date_style = style; }
  void SetScrollBars(int32_t bars) override { state_.scroll_bars = bars; }

  void SetBorderStyle(int32_t style) override { state_.border_style = style; }
  void SetIcon(const Picture& icon) override { state_.icon = icon; }
  void SetOpacity(uint8_t alpha) override { state_.opacity = alpha; }
  void SetClientSize(Size size) override;  // no frame here: the outer size is the client size
  void Activate() override;
  void ShowMinimized() override { state_.minimized = true; }
  void BeginDragMove() override { ++state_.drag_move_count; }

  ControlKind Kind() const { return kind_; }
  HeadlessControl* Parent() const { return parent_; }
  ControlEvents* Events() const { return events_; }
  const ControlState& State() const { return state_; }
  // The state as a user changes it (a typed text, a checked box, a picked item), for
  // the driver that acts as the user.
  ControlState& UserState() { return state_; }
  // The operations of the last paint.
  const RecordingPainter& Painting() const { return painter_; }

  // Shown, or enabled, together with every parent: what a user can see and reach.
  bool IsShowing() const;
  bool IsUsable() const;
  bool Contains(Point client_point) const;

  // Draws a Canvas or PictureButton now, as an expose of its window would.
  void PaintNow();

 private:
  friend class HeadlessUi;

  HeadlessUi* ui_;
  ControlKind kind_;
  HeadlessControl* parent_;
  ControlEvents* events_;
  ControlState state_;
  RecordingPainter painter_;
};

}  // namespace lumi::platform::headless
