#pragma once

#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "platform/ui.h"

class QEvent;
class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace lumi::platform::qt_backend {

// One native control of any kind: a stock Qt widget that mirrors what the element
// sets, with an event filter that reports what the user does.
//
// Input reaches the control the first widget takes it, as on Windows: an event that
// Qt hands on to a parent after a child let it pass is not reported a second time,
// and group boxes and labels, like the transparent static windows of Windows, pass
// the mouse to the control beneath. Nothing is reported for changes made through
// this interface.
class QtControl final : public QObject, public Control {
 public:
  // `parent` is the parent control's widget (for a form: the owner form's window).
  QtControl(ControlKind kind, QWidget* parent, ControlEvents* events);
  ~QtControl() override;
  QtControl(const QtControl&) = delete;
  QtControl& operator=(const QtControl&) = delete;

  ControlKind Kind() const { return kind_; }
  QWidget* Widget() const { return widget_; }
  // The control a widget was made for, if it is one of ours.
  static QtControl* FromWidget(const QWidget* widget);
  // A control destroyed while an element was being told about an event leaves its
  // widget hidden, to be deleted by the event loop once the outermost report is over;
  // those still waiting go at once here (the window system's end).
  static void DeleteDoomedWidgets();

  void SetGeometry(const Rect& rect) override;
  Rect Geometry() override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetColor(Color color) override;
  void SetFont(const FontSpec& font) override;
  void SetHint(const std::string& hint) override;
  void SetTabOrder(int32_t order) override;
  void RaiseToTop() override;
  void Repaint() override;

  void SetText(const std::string& text) override;
  void SetItems(const std::vector<std::string>& items) override;
  void SetSelection(int32_t index) override;
  void SetChecked(bool checked) override;
  void SetDateTime(const CalendarTime& value) override;
  void SetDatePickerStyle(const DatePickerStyle& style) override;
  void SetScrollBars(int32_t bars) override;

  void SetBorderStyle(int32_t style) override;
  void SetIcon(const Picture& icon) override;
  void SetOpacity(uint8_t alpha) override;
  void SetClientSize(Size size) override;
  void Activate() override;
  void ShowMinimized() override;
  void BeginDragMove() override;

  // What a form's frame adds to its client area on Windows with the classic metrics
  // for that border style. The elements lay windows out in those outer sizes; the
  // desktop's own frame comes on top, so the client area keeps its Windows size.
  static QSize NominalFrame(int32_t border_style);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateWidget(QWidget* parent);
  QWidget* CreateForm(QWidget* parent);
  QWidget* CreateDatePicker(QWidget* parent);
  static QPointer<QWidget>& MainForm();
  void WatchInput(QWidget* widget);
  void ConnectSignals();
  void ResizeClient(QSize size);
  void PrepareToShow();
  void FitPickerText();
  void FitPickerTextWhenShown();
  void PrepareCalendarWhenShown();
  void PrepareCalendar();
  bool OutOfSight() const { return !widget_->isVisible(); }
  void ApplyText(const QString& text);
  void ApplyItems(const QStringList& items);
  void ApplySelection(int index);
  void ApplyDateTime(const QDateTime& value);
  void TakeDeferred();
  void ApplyTextColor();
  bool IsForm() const { return kind_ == ControlKind::Form; }
  bool IsPainted() const { return kind_ == ControlKind::Canvas || kind_ == ControlKind::PictureButton; }
  bool PassesMouse() const { return kind_ == ControlKind::GroupBox || kind_ == ControlKind::Label; }

  bool FilterKey(QObject* watched, QKeyEvent* event);
  bool FilterMouse(QObject* watched, QMouseEvent* event);
  bool FilterWheel(QObject* watched, QWheelEvent* event);
  bool FilterFocus(QObject* watched, QFocusEvent* event);
  bool FilterFormEvent(QEvent* event);
  void Paint();
  void PaintGroupBox();
  void ReportPointerLeft();
  void WatchCalendarPopup();
  Point ToControl(const QPointF& global) const;

  ControlKind kind_;
  ControlEvents* events_;
  QPointer<QWidget> widget_;
  int32_t border_style_ = 2;
  bool has_focus_ = false;
  bool left_pressed_ = false;  // a picture button's press that may become a click
  bool calendar_popup_ = false;
  // What the work cycle told a control out of sight (the whole window in the tray, or
  // a panel of another event type), taken when it is shown: nothing is laid out,
  // measured or rebuilt for nobody.
  struct Deferred {
    std::optional<QString> text;  // a label's or a field's
    std::optional<QStringList> items;
    std::optional<int> selection;
    std::optional<QDateTime> date_time;
    bool fit = false;       // a picker's text to be fitted to its field
    bool calendar = false;  // a picker's calendar to be made and coloured
  };
  Deferred deferred_;
  QPointer<QWidget> calendar_window_;
  QFont base_font_;  // a picker's font as the element set it, before fitting
  DatePickerStyle picker_style_;
  Color font_color_ = 0;
  int32_t tab_order_ = 0;
};

}  // namespace lumi::platform::qt_backend
