// The controls as a user works them, under Wine with a display: what the user does is
// reported once, what the element sets never. Skipped where no window can be made.
#include "platform/win32ui/win32_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32ui/common_controls.h"
#include "platform/win32ui/win32_ui.h"
#include "runtime/cp1251.h"

namespace lumi::platform::win32ui {
namespace {

// Writes down what a control reports.
class Recorder : public ControlEvents {
 public:
  std::vector<std::string> log;
  bool mouse = false;  // the pointer's buttons too
  std::function<void()> on_click;
  void Clicked() override {
    log.push_back("click");
    if (on_click) on_click();
  }
  void CheckChanged(bool checked) override { log.push_back(checked ? "checked" : "unchecked"); }
  void RadioSelected() override { log.push_back("radio"); }
  void SelectionChanged(int32_t index) override { log.push_back("pick " + std::to_string(index)); }
  void DropDown() override { log.push_back("drop"); }
  void TextChanged(const std::string& text) override { log.push_back("text " + cp1251::ToUtf8(text)); }
  void DateTimeChanged(const CalendarTime& value) override {
    log.push_back("date " + std::to_string(value.year));
  }
  void CloseRequested() override { log.push_back("close"); }
  void MinimizeRequested() override { log.push_back("minimize"); }
  void MouseDown(MouseButton, Point at) override {
    if (mouse) log.push_back("down " + std::to_string(at.x));
  }
  void MouseUp(MouseButton, Point at) override {
    if (mouse) log.push_back("up " + std::to_string(at.x));
  }
};

class Win32ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Win32Ui::DisplayAvailable()) GTEST_SKIP() << "no display";
    ui_ = std::make_unique<Win32Ui>();
    form_ = Make(ControlKind::Form, nullptr, form_events_);
    form_->SetGeometry({10, 10, 300, 200});
    form_->SetVisible(true);
  }

  std::unique_ptr<Control> Make(ControlKind kind, Control* parent, Recorder& events) {
    auto control = ui_->Create(kind, parent, &events);
    if (parent != nullptr) {
      control->SetGeometry({10, 10, 100, 21});
      control->SetVisible(true);
    }
    return control;
  }

  static HWND Window(const std::unique_ptr<Control>& control) {
    return static_cast<Win32Control*>(control.get())->Window();
  }

  // What a standard control tells its parent.
  static void Notify(const std::unique_ptr<Control>& control, WORD code) {
    HWND window = Window(control);
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
                 reinterpret_cast<LPARAM>(window));
  }

  std::unique_ptr<Win32Ui> ui_;
  Recorder form_events_;
  std::unique_ptr<Control> form_;
};

TEST_F(Win32ControlTest, ATextTheElementSetsIsNotReportedWhatTheUserTypesIs) {
  Recorder events;
  auto edit = Make(ControlKind::Edit, form_.get(), events);
  edit->SetText(cp1251::FromUtf8("Привет"));
  EXPECT_TRUE(events.log.empty());
  SendMessageW(Window(edit), EM_SETSEL, 6, 6);
  SendMessageW(Window(edit), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"!"));
  ASSERT_EQ(events.log.size(), 1u);
  EXPECT_EQ(events.log[0], "text Привет!");
}

TEST_F(Win32ControlTest, ClicksOnCheckAndRadioBoxesReportTheNewStateAndRadioButtonsUncheckTheirSiblings) {
  Recorder check_events, first_events, second_events;
  auto check = Make(ControlKind::CheckBox, form_.get(), check_events);
  auto first = Make(ControlKind::RadioButton, form_.get(), first_events);
  auto second = Make(ControlKind::RadioButton, form_.get(), second_events);
  check->SetChecked(true);
  first->SetChecked(true);
  EXPECT_TRUE(check_events.log.empty());
  SendMessageW(Window(check), BM_CLICK, 0, 0);
  SendMessageW(Window(second), BM_CLICK, 0, 0);
  EXPECT_EQ(check_events.log, std::vector<std::string>{"unchecked"});
  EXPECT_EQ(second_events.log, std::vector<std::string>{"radio"});
  EXPECT_TRUE(first_events.log.empty());
  EXPECT_EQ(SendMessageW(Window(first), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Window(second), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Win32ControlTest, ADropDownListReportsItsOpeningAndEachPickOnce) {
  Recorder events;
  auto list = Make(ControlKind::ComboBox, form_.get(), events);
  list->SetItems({"COM 1", "COM 2", "COM 3"});
  list->SetSelection(1);
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(SendMessageW(Window(list), CB_GETCURSEL, 0, 0), 1);
  // Keys on the closed field.
  SendMessageW(Window(list), CB_SETCURSEL, 2, 0);
  Notify(list, CBN_SELCHANGE);
  // A pick from the open list: the selection follows the pointer, the pick is taken.
  Notify(list, CBN_DROPDOWN);
  SendMessageW(Window(list), CB_SETCURSEL, 0, 0);
  Notify(list, CBN_SELCHANGE);
  Notify(list, CBN_SELENDOK);
  Notify(list, CBN_CLOSEUP);
  EXPECT_EQ(events.log, (std::vector<std::string>{"pick 2", "drop", "pick 0"}));
  // The field keeps the height the element gave it, whatever its list needs.
  EXPECT_EQ(list->Geometry().height, 21);
  list->SetSelection(7);  // no such item: none
  EXPECT_EQ(SendMessageW(Window(list), CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(Win32ControlTest, APictureButtonIsClickedOnlyWhenReleasedOverItAndMayGoInItsClick) {
  Recorder events;
  events.mouse = true;
  auto button = Make(ControlKind::PictureButton, form_.get(), events);
  HWND window = Window(button);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  events.on_click = [&] { button.reset(); };  // the element destroys it in its click
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(6, 5));
  EXPECT_EQ(events.log, (std::vector<std::string>{"down 5", "up 500", "down 5", "up 6", "click"}));
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Win32ControlTest, ClosingAFormOnlyAsksTheElement) {
  SendMessageW(Window(form_), WM_CLOSE, 0, 0);
  EXPECT_EQ(form_events_.log, std::vector<std::string>{"close"});
  EXPECT_TRUE(IsWindow(Window(form_)));
  EXPECT_TRUE(IsWindowVisible(Window(form_)));
}

TEST_F(Win32ControlTest, AFormKeepsItsPlaceWhileMinimisedAndTakesTheClientSizeItAskedFor) {
  EXPECT_EQ(form_->Geometry(), (Rect{10, 10, 300, 200}));
  form_->ShowMinimized();
  EXPECT_EQ(form_->Geometry(), (Rect{10, 10, 300, 200}));
  // The element's own doing is not reported back to it.
  EXPECT_EQ(std::find(form_events_.log.begin(), form_events_.log.end(), "minimize"), form_events_.log.end());
  form_->SetVisible(true);
  EXPECT_FALSE(IsIconic(Window(form_)));
  form_->SetClientSize({200, 100});
  RECT client{};
  GetClientRect(Window(form_), &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 100);
}

TEST_F(Win32ControlTest, TabWalksTheStopsInTheElementsOrderIntoFrames) {
  Recorder a_events, frame_events, b_events, c_events;
  auto a = Make(ControlKind::Edit, form_.get(), a_events);
  auto frame = Make(ControlKind::GroupBox, form_.get(), frame_events);
  auto b = Make(ControlKind::Edit, frame.get(), b_events);
  auto c = Make(ControlKind::Edit, form_.get(), c_events);
  c->SetTabOrder(3);
  a->SetTabOrder(1);
  frame->SetTabOrder(2);
  b->SetTabOrder(1);
  SetFocus(Window(a));
  SendMessageW(Window(a), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), Window(b));
  SendMessageW(Window(b), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), Window(c));
  SendMessageW(Window(c), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), Window(a));
}

TEST_F(Win32ControlTest, ADatePickerTakesTheElementsDateQuietlyAndRefusesOneItCannotShow) {
  Recorder events;
  auto picker = Make(ControlKind::DatePicker, form_.get(), events);
  picker->SetDateTime({2026, 12, 9, 10, 30, 0, 0, 3});
  picker->SetDateTime({1200, 1, 1, 0, 0, 0, 0, 0});
  SYSTEMTIME shown{};
  SendMessageW(Window(picker), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
  EXPECT_EQ(shown.wYear, 2026);
  EXPECT_EQ(shown.wDay, 9);
  // A time picker has spin buttons, which only a picker made anew gets; it keeps its
  // value and place.
  DatePickerStyle style;
  style.time_format = true;
  picker->SetDatePickerStyle(style);
  EXPECT_NE(FindWindowExW(Window(picker), nullptr, UPDOWN_CLASSW, nullptr), nullptr);
  SendMessageW(Window(picker), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
  EXPECT_EQ(shown.wHour, 10);
  EXPECT_EQ(shown.wMinute, 30);
  EXPECT_TRUE(IsWindowVisible(Window(picker)));
  EXPECT_TRUE(events.log.empty());
}

}  // namespace
}  // namespace lumi::platform::win32ui
