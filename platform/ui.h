#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/date_time.h"

// The window system as the window elements see it. The element keeps the state and the
// meaning of a control; the backend only mirrors that state onto a native control and
// reports what the user did. Texts are Windows-1251 on both sides of this interface;
// only a backend turns them into Unicode.
namespace lumi::platform {

// Colours as Windows writes them: 0x00BBGGRR; 0xFF0000nn is system colour nn
// (0xFF00000F button face, 0xFF000005 window background).
using Color = uint32_t;

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Rect&) const = default;
};

struct Size {
  int32_t width = 0;
  int32_t height = 0;
};

struct FontSpec {
  std::string name = "MS Sans Serif";
  int32_t size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  Color color = 0;
  bool operator==(const FontSpec&) const = default;
};

// A picture: rows top to bottom, pixels 0xAARRGGBB.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  bool operator==(const Picture&) const = default;
};

enum class ControlKind : uint8_t {
  Form,           // a top-level window
  GroupBox,       // a frame with a caption; panels place their controls in it
  Label,          // static text
  Button,         // push button
  PictureButton,  // a button the element paints itself (Paint)
  Edit,           // single-line edit
  CheckBox,
  RadioButton,
  ComboBox,    // drop-down list
  Memo,        // multi-line, read-only text with scroll bars
  DatePicker,  // date or time picker
  Canvas,      // a control the element paints itself (the lamp)
};

enum class MouseButton : int32_t { Left = 0, Right = 1, Middle = 2 };

// The pointer buttons held during a move, as the elements report them: 0 left, 1
// right, 2 middle, 255 none of these alone.
inline constexpr int32_t kNoSingleButton = 255;

// Drawing on a control in its own coordinates. Lines do not include their last point;
// arcs run counter-clockwise from the start point to the end point (as seen on the
// screen), on the ellipse inscribed in the rectangle, like Windows arcs.
class Painter {
 public:
  virtual ~Painter() = default;
  virtual void FillEllipse(const Rect& box, Color color) = 0;
  virtual void FillRect(const Rect& box, Color color) = 0;
  virtual void Line(Point from, Point to, Color color, int32_t width) = 0;
  virtual void Arc(const Rect& box, Point start, Point end, Color color, int32_t width) = 0;
  virtual void DrawPicture(Point at, const Picture& picture) = 0;
  // A thin raised or sunken edge around the rectangle, in the system's 3D colours.
  virtual void Edge(const Rect& box, bool sunken) = 0;
  // A one-pixel frame.
  virtual void Frame(const Rect& box, Color color) = 0;
};

struct DatePickerStyle {
  bool time_format = false;  // shows and edits the time instead of the date
  bool long_date = false;
  bool up_down = false;  // spin buttons instead of a drop-down calendar
  bool right_align = false;
  Color title_background = 0;
  Color title_text = 0;
  Color month_background = 0;
  Color trailing_text = 0;
};

// What a control reports, always on the loop thread. The element that owns the
// control implements the calls it cares about.
class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  virtual void KeyDown(int32_t /*virtual_key*/) {}
  virtual void KeyUp(int32_t /*virtual_key*/) {}
  virtual void Char(const std::string& /*one_character*/) {}
  virtual void MouseDown(MouseButton, Point) {}
  virtual void MouseMove(int32_t /*held*/, Point) {}
  virtual void MouseUp(MouseButton, Point) {}
  // The pointer left the control (a flat picture button drops its hover look).
  virtual void MouseLeave() {}
  virtual void Wheel(int32_t /*delta, 120 a notch*/) {}
  virtual void FocusIn() {}
  virtual void FocusOut() {}
  // A button or picture button was pressed and released over it by the user.
  virtual void Clicked() {}
  // The user changed a check box, selected a radio button, picked a list item, edited
  // a text or changed a date; never reported for changes made through the Control.
  virtual void CheckChanged(bool /*checked*/) {}
  virtual void RadioSelected() {}
  virtual void SelectionChanged(int32_t /*index*/) {}
  // A drop-down list is about to open its items to the user.
  virtual void DropDown() {}
  virtual void TextChanged(const std::string&) {}
  virtual void DateTimeChanged(const CalendarTime&) {}
  // Canvas and picture button: draw the whole control.
  virtual void Paint(Painter&) {}
  // Forms. A close request never closes the window by itself: the element decides.
  virtual void CloseRequested() {}
  virtual void MinimizeRequested() {}
  virtual void Activated(bool /*active*/) {}
  virtual void Shown() {}
};

// One native control. Destroying it destroys the native control; its children must be
// destroyed first. Calls that do not apply to a kind are ignored.
class Control {
 public:
  virtual ~Control() = default;

  virtual void SetGeometry(const Rect& rect) = 0;  // outer rectangle, in the parent
  virtual Rect Geometry() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetColor(Color color) = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  virtual void SetHint(const std::string& hint) = 0;
  virtual void SetTabOrder(int32_t order) = 0;  // 0: not a tab stop
  virtual void RaiseToTop() = 0;
  virtual void Repaint() = 0;

  // Caption, edit or memo text, form caption.
  virtual void SetText(const std::string& text) = 0;
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  virtual void SetSelection(int32_t index) = 0;  // -1: none
  virtual void SetChecked(bool checked) = 0;
  virtual void SetDateTime(const CalendarTime& value) = 0;
  virtual void SetDatePickerStyle(const DatePickerStyle& style) = 0;
  virtual void SetScrollBars(int32_t bars) = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both

  // Forms.
  virtual void SetBorderStyle(int32_t style) = 0;  // 0..7, as the elements number them
  virtual void SetIcon(const Picture& icon) = 0;
  virtual void SetOpacity(uint8_t alpha) = 0;
  virtual void SetClientSize(Size size) = 0;
  virtual void Activate() = 0;
  virtual void ShowMinimized() = 0;  // to the taskbar
  virtual void BeginDragMove() = 0;  // the user moves the window as by its caption
};

// The tray icon's mouse messages, in the order the system reports them.
enum class TrayMouse { Move, LeftDown, LeftUp, LeftDouble, RightDown, RightUp, RightDouble };

class TrayEvents {
 public:
  virtual ~TrayEvents() = default;
  virtual void TrayMouseMessage(TrayMouse message) = 0;
};

struct MenuItem {
  std::string text;
  bool separator = false;
  Picture picture;  // empty: none
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A control of that kind inside `parent` (none for a form; for a form, a parent is
  // its owner: it stays on top of it and has no taskbar entry of its own).
  virtual std::unique_ptr<Control> Create(ControlKind kind, Control* parent, ControlEvents* events) = 0;

  virtual Size ScreenSize() = 0;
  // The form that is active now, if it is one of ours.
  virtual Control* ActiveForm() = 0;

  // Modal: returns when the user has closed the box.
  virtual void MessageBox(const std::string& text, const std::string& caption) = 0;

  // Whether the desktop offers a notification area at all.
  virtual bool HasTray() = 0;
  virtual void ShowTrayIcon(const Picture& icon, const std::string& tip, TrayEvents* events) = 0;
  virtual void HideTrayIcon() = 0;

  // Modal: shows the menu at the pointer and answers the index of the chosen item, or
  // -1 when the menu was closed without a choice.
  virtual int32_t PopupMenu(const std::vector<MenuItem>& items) = 0;
};

}  // namespace lumi::platform
