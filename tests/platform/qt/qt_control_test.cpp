#include "platform/qt/qt_control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_ui.h"
#include "tests/platform/qt/recording_events.h"

namespace lumi::platform::qt_backend {
namespace {

using Calls = std::vector<std::string>;

std::string Cp(const char* utf8) { return cp1251::FromUtf8(utf8); }

class QtControlTest : public testing::Test {
 protected:
  void SetUp() override {
    form = ui.Create(ControlKind::Form, nullptr, &form_events);
    form->SetClientSize({320, 240});
    form->SetVisible(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Widget(*form)));
    form_events.calls.clear();
  }

  static QWidget* Widget(Control& control) { return static_cast<QtControl&>(control).Widget(); }
  template <typename T>
  static T* Native(Control& control) {
    return qobject_cast<T*>(Widget(control));
  }

  std::unique_ptr<Control> Make(ControlKind kind, RecordingEvents& events, Rect rect,
                                Control* parent = nullptr) {
    auto control = ui.Create(kind, parent ? parent : form.get(), &events);
    control->SetGeometry(rect);
    control->SetVisible(true);
    return control;
  }

  QtUi ui;
  RecordingEvents form_events;
  std::unique_ptr<Control> form;
};

TEST_F(QtControlTest, AHiddenLabelTakesItsTextWhenItIsShown) {
  RecordingEvents events;
  auto label = Make(ControlKind::Label, events, {26, 13, 238, 17});
  QLabel* native = Native<QLabel>(*label);
  label->SetText("first");
  // The window goes to the tray; the cycle sets the row's text meanwhile.
  form->SetVisible(false);
  label->SetText("second");
  label->SetText("third");
  EXPECT_EQ(native->text(), QStringLiteral("first"));
  form->SetVisible(true);
  EXPECT_EQ(native->text(), QStringLiteral("third"));
  // A label hidden by itself, too.
  label->SetVisible(false);
  label->SetText("fourth");
  label->SetVisible(true);
  EXPECT_EQ(native->text(), QStringLiteral("fourth"));
}

TEST_F(QtControlTest, AHiddenFieldTakesItsTextWhenItIsShownWithoutReportingAnEdit) {
  RecordingEvents events;
  auto field = Make(ControlKind::Edit, events, {8, 8, 40, 21});
  QLineEdit* native = Native<QLineEdit>(*field);
  field->SetText("7");
  form->SetVisible(false);
  field->SetText("14");
  field->SetText("21");
  EXPECT_EQ(native->text(), QStringLiteral("7"));
  form->SetVisible(true);
  EXPECT_EQ(native->text(), QStringLiteral("21"));
  EXPECT_TRUE(events.Only("TextChanged").empty()) << "the program's own text is no edit of the user's";
}

TEST_F(QtControlTest, AHiddenListAndPickerTakeTheirValuesWhenShownWithoutReporting) {
  RecordingEvents events;
  auto combo = Make(ControlKind::ComboBox, events, {157, 10, 59, 21});
  auto picker = Make(ControlKind::DatePicker, events, {55, 40, 80, 21});
  picker->SetDatePickerStyle({});
  combo->SetItems({"75", "110"});
  combo->SetSelection(1);
  picker->SetDateTime(CalendarTime{2024, 5, 6});
  QComboBox* list = Native<QComboBox>(*combo);
  QDateTimeEdit* date = Native<QDateTimeEdit>(*picker);

  form->SetVisible(false);
  combo->SetItems({"COM 1", "COM 3", "COM 7"});
  combo->SetSelection(2);
  picker->SetDateTime(CalendarTime{2026, 12, 31});
  picker->SetFont(FontSpec{.size = 14});  // fitted to the field when shown
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(date->date(), QDate(2024, 5, 6));

  form->SetVisible(true);
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentIndex(), 2);
  EXPECT_EQ(date->date(), QDate(2026, 12, 31));
  QTest::qWait(1);  // the field takes its place at the next resize
  const int text = QFontMetrics(date->font()).horizontalAdvance(date->text());
  EXPECT_LE(text, date->findChild<QLineEdit*>()->width()) << date->text().toStdString();
  // A new list while hidden starts with nothing selected.
  form->SetVisible(false);
  combo->SetItems({"COM 1"});
  form->SetVisible(true);
  EXPECT_EQ(list->currentIndex(), -1);
  EXPECT_TRUE(events.Only("Selection").empty());
  EXPECT_TRUE(events.Only("DateTime").empty());

  // The calendar of a picker nobody has seen yet is made, coloured, when it is shown.
  auto unseen = ui.Create(ControlKind::DatePicker, form.get(), &events);
  unseen->SetDatePickerStyle(DatePickerStyle{.title_background = 0xFF0000});
  QDateTimeEdit* native = Native<QDateTimeEdit>(*unseen);
  EXPECT_EQ(native->findChild<QCalendarWidget*>(), nullptr);
  unseen->SetVisible(true);
  auto* title = native->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->palette().color(QPalette::Window), QColor(0, 0, 255));
}

TEST_F(QtControlTest, CommonPropertiesReachTheWidget) {
  RecordingEvents events;
  auto label = Make(ControlKind::Label, events, {26, 13, 238, 17});
  label->SetText(Cp("Событие не определено"));
  label->SetHint(Cp("Текущая настройка индикатора №01"));
  label->SetFont(FontSpec{.bold = true});
  QLabel* native = Native<QLabel>(*label);
  ASSERT_NE(native, nullptr);
  EXPECT_EQ(native->text(), QString::fromUtf8("Событие не определено"));
  EXPECT_EQ(native->toolTip(), QString::fromUtf8("Текущая настройка индикатора №01"));
  EXPECT_EQ(native->geometry(), QRect(26, 13, 238, 17));
  EXPECT_EQ(label->Geometry(), (Rect{26, 13, 238, 17}));
  EXPECT_TRUE(native->font().bold());
  EXPECT_EQ(native->font().pixelSize(), StandInPixelSize());
  EXPECT_TRUE(native->isVisible());
  label->SetEnabled(false);
  label->SetVisible(false);
  EXPECT_FALSE(native->isEnabled());
  EXPECT_FALSE(native->isVisible());
  // Rich text is not interpreted.
  label->SetText("<b>x</b>");
  EXPECT_EQ(native->textFormat(), Qt::PlainText);

  label->SetColor(0x0000FF);
  EXPECT_EQ(native->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_TRUE(native->autoFillBackground());
  label->SetFont(FontSpec{.color = 0x00FF00});
  EXPECT_EQ(native->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 255, 0));

  // A control starts hidden until the element shows it.
  auto hidden = ui.Create(ControlKind::Button, form.get(), &events);
  EXPECT_FALSE(Widget(*hidden)->isVisible());

  auto group = Make(ControlKind::GroupBox, events, {0, 0, 280, 200});
  group->SetText(Cp("01"));
  EXPECT_EQ(Native<QGroupBox>(*group)->title(), QStringLiteral("01"));
  auto inner = Make(ControlKind::Label, events, {5, 8, 20, 17}, group.get());
  EXPECT_EQ(Widget(*inner)->parentWidget(), Widget(*group));

  form->SetText(Cp("О программе"));
  EXPECT_EQ(Widget(*form)->windowTitle(), QString::fromUtf8("О программе"));
  EXPECT_TRUE(events.calls.empty());
}

TEST_F(QtControlTest, ButtonsReportPressReleaseAndClickInOrder) {
  RecordingEvents events;
  auto button = Make(ControlKind::Button, events, {10, 10, 60, 24});
  button->SetText("+");
  EXPECT_EQ(Native<QPushButton>(*button)->text(), QStringLiteral("+"));
  QTest::mouseClick(Widget(*button), Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(events.Only("Mouse"), (Calls{"MouseDown 0 5,6", "MouseUp 0 5,6"}));
  EXPECT_EQ(events.calls.back(), "Clicked");

  events.calls.clear();
  QTest::mouseClick(Widget(*button), Qt::RightButton, {}, QPoint(3, 3));
  EXPECT_EQ(events.Only("Mouse"), (Calls{"MouseDown 1 3,3", "MouseUp 1 3,3"}));
  EXPECT_TRUE(events.Only("Clicked").empty());
  EXPECT_TRUE(form_events.Only("Mouse").empty());  // input is reported once, by the first control

  events.calls.clear();
  button->SetEnabled(false);
  QTest::mouseClick(Widget(*button), Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_TRUE(events.Only("Mouse").empty());
  EXPECT_TRUE(events.Only("Clicked").empty());
  EXPECT_TRUE(form_events.Only("Mouse").empty());  // input is reported once, by the first control
}

TEST_F(QtControlTest, PictureButtonsArePaintedByTheElementAndClickOnlyWhenReleasedOverThem) {
  RecordingEvents events;
  events.painter = [](Painter& p) { p.FillRect({0, 0, 30, 30}, 0x00FF00); };
  auto button = Make(ControlKind::PictureButton, events, {3, 3, 30, 30});
  const QImage image = Widget(*button)->grab().toImage();
  EXPECT_EQ(image.pixel(15, 15), qRgb(0, 255, 0));
  EXPECT_FALSE(events.Only("Paint").empty());

  events.calls.clear();
  QTest::mouseClick(Widget(*button), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(events.calls, (Calls{"FocusIn", "MouseDown 0 10,10", "MouseUp 0 10,10", "Clicked"}));

  events.calls.clear();
  QTest::mousePress(Widget(*button), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(Widget(*button), Qt::LeftButton, {}, QPoint(40, 10));  // dragged off
  EXPECT_EQ(events.calls, (Calls{"MouseDown 0 10,10", "MouseUp 0 40,10"}));
  EXPECT_TRUE(form_events.Only("Mouse").empty());
}

TEST_F(QtControlTest, CheckBoxesReportTheUserOnly) {
  RecordingEvents events;
  auto box = Make(ControlKind::CheckBox, events, {70, 20, 170, 20});
  box->SetText(Cp("Автозапуск"));
  box->SetChecked(true);
  QCheckBox* native = Native<QCheckBox>(*box);
  EXPECT_TRUE(native->isChecked());
  EXPECT_EQ(native->text(), QString::fromUtf8("Автозапуск"));
  box->SetChecked(false);
  EXPECT_TRUE(events.calls.empty());

  QTest::mouseClick(native, Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_EQ(events.calls.back(), "CheckChanged 1");
  EXPECT_EQ(events.calls[events.calls.size() - 2], "MouseUp 0 6,10");  // after the release, as on Windows
  events.calls.clear();
  QTest::keyClick(native, Qt::Key_Space);
  EXPECT_EQ(events.Only("Check"), (Calls{"CheckChanged 0"}));
  EXPECT_FALSE(native->isChecked());
}

TEST_F(QtControlTest, RadioButtonsOfOneParentExcludeEachOtherButReportOnlyTheUsersChoice) {
  RecordingEvents first_events, second_events;
  auto first = Make(ControlKind::RadioButton, first_events, {5, 22, 15, 15});
  auto second = Make(ControlKind::RadioButton, second_events, {5, 55, 15, 15});
  QRadioButton* a = Native<QRadioButton>(*first);
  QRadioButton* b = Native<QRadioButton>(*second);

  QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(7, 7));
  EXPECT_TRUE(a->isChecked());
  EXPECT_EQ(first_events.Only("Radio"), (Calls{"RadioSelected"}));
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(7, 7));
  EXPECT_TRUE(b->isChecked());
  EXPECT_FALSE(a->isChecked());
  EXPECT_EQ(first_events.Only("Radio").size(), 1u);  // unchecked by the system: no report
  // A click on the checked button is a click all the same.
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(7, 7));
  EXPECT_TRUE(b->isChecked());
  EXPECT_EQ(second_events.Only("Radio").size(), 2u);

  second_events.calls.clear();
  first_events.calls.clear();
  first->SetChecked(true);  // like a click: the sibling goes off
  EXPECT_TRUE(a->isChecked());
  EXPECT_FALSE(b->isChecked());
  first->SetChecked(false);  // and a checked button can be unchecked
  EXPECT_FALSE(a->isChecked());
  EXPECT_FALSE(b->isChecked());
  EXPECT_TRUE(first_events.Only("Radio").empty());
  EXPECT_TRUE(second_events.Only("Radio").empty());
}

TEST_F(QtControlTest, ComboBoxesReportUserPicksOnly) {
  RecordingEvents events;
  auto combo = Make(ControlKind::ComboBox, events, {157, 10, 59, 21});
  combo->SetItems({"75", "110", Cp("Загрузка ЦП")});
  QComboBox* native = Native<QComboBox>(*combo);
  ASSERT_EQ(native->count(), 3);
  EXPECT_EQ(native->itemText(2), QString::fromUtf8("Загрузка ЦП"));
  EXPECT_EQ(native->currentIndex(), -1);
  EXPECT_FALSE(native->isEditable());
  combo->SetSelection(1);
  EXPECT_EQ(native->currentIndex(), 1);
  combo->SetSelection(17);
  EXPECT_EQ(native->currentIndex(), -1);
  combo->SetSelection(0);
  combo->SetText("110");  // the element selects; the text is its business
  EXPECT_EQ(native->currentIndex(), 0);
  EXPECT_TRUE(events.Only("Selection").empty());

  QTest::keyClick(native, Qt::Key_Down);
  EXPECT_EQ(native->currentIndex(), 1);
  EXPECT_EQ(events.Only("Selection"), (Calls{"SelectionChanged 1"}));
  EXPECT_EQ(events.Only("KeyDown"), (Calls{"KeyDown 40"}));

  // Opening the list says so first, so that the element can fill it anew.
  events.on_drop_down = [&] { combo->SetItems({"COM 1", "COM 7"}); };
  native->showPopup();
  EXPECT_EQ(events.Only("DropDown"), (Calls{"DropDown"}));
  EXPECT_EQ(native->count(), 2);
  native->hidePopup();
}

TEST_F(QtControlTest, EditsReportKeysCharactersAndUserEdits) {
  RecordingEvents events;
  auto edit = Make(ControlKind::Edit, events, {179, 14, 40, 20});
  edit->SetText("50");
  QLineEdit* native = Native<QLineEdit>(*edit);
  EXPECT_EQ(native->text(), QStringLiteral("50"));
  EXPECT_TRUE(events.calls.empty());

  native->setCursorPosition(2);
  QTest::keyClick(native, Qt::Key_A);
  EXPECT_EQ(events.calls, (Calls{"KeyDown 65", "Char a", "TextChanged 50a", "KeyUp 65"}));

  events.calls.clear();
  QKeyEvent press(QEvent::KeyPress, 0x419, Qt::NoModifier, QString::fromUtf8("й"));
  QKeyEvent release(QEvent::KeyRelease, 0x419, Qt::NoModifier, QString::fromUtf8("й"));
  QApplication::sendEvent(native, &press);
  QApplication::sendEvent(native, &release);
  EXPECT_EQ(events.calls, (Calls{"KeyDown 81", "Char й", "TextChanged 50aй", "KeyUp 81"}));

  // A held key repeats its key-down without key-ups in between.
  events.calls.clear();
  QKeyEvent repeat_release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
  QKeyEvent repeat_press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(native, &repeat_release);
  QApplication::sendEvent(native, &repeat_press);
  EXPECT_EQ(events.calls, (Calls{"KeyDown 37"}));

  // A key the edit lets pass on to the form is still reported once only.
  events.calls.clear();
  QTest::keyClick(native, Qt::Key_F5);
  EXPECT_EQ(events.calls, (Calls{"KeyDown 116", "KeyUp 116"}));
  EXPECT_TRUE(form_events.Only("Key").empty());
}

TEST_F(QtControlTest, MemosShowLinesReadOnlyWithTheirScrollBars) {
  RecordingEvents events;
  auto memo = Make(ControlKind::Memo, events, {8, 8, 200, 100});
  memo->SetText(Cp("Первая\r\nвторая\r\nтретья"));
  memo->SetScrollBars(2);
  QPlainTextEdit* native = Native<QPlainTextEdit>(*memo);
  EXPECT_EQ(native->toPlainText(), QString::fromUtf8("Первая\nвторая\nтретья"));
  EXPECT_TRUE(native->isReadOnly());
  EXPECT_EQ(native->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(native->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  memo->SetScrollBars(3);
  EXPECT_EQ(native->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(native->lineWrapMode(), QPlainTextEdit::NoWrap);

  QTest::keyClick(native, Qt::Key_X);
  EXPECT_EQ(native->toPlainText(), QString::fromUtf8("Первая\nвторая\nтретья"));
  EXPECT_TRUE(events.Only("TextChanged").empty());
  // The viewport takes the mouse; the memo reports it in its own coordinates, once.
  QTest::mouseClick(native->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  const QPoint expected = native->viewport()->mapTo(native, QPoint(10, 10));
  EXPECT_EQ(events.Only("MouseDown"),
            (Calls{"MouseDown 0 " + std::to_string(expected.x()) + "," + std::to_string(expected.y())}));
}

TEST_F(QtControlTest, TimePickersReportEveryUserChange) {
  RecordingEvents events;
  auto picker = Make(ControlKind::DatePicker, events, {156, 10, 90, 21});
  picker->SetDatePickerStyle(DatePickerStyle{.time_format = true});
  picker->SetDateTime(CalendarTime{2024, 5, 6, 12, 30, 0});
  QDateTimeEdit* native = Native<QDateTimeEdit>(*picker);
  EXPECT_FALSE(native->calendarPopup());
  EXPECT_EQ(native->displayFormat(), QStringLiteral("HH:mm:ss"));
  EXPECT_EQ(native->dateTime(), QDateTime(QDate(2024, 5, 6), QTime(12, 30), Qt::UTC));
  EXPECT_TRUE(native->displayFormat().contains(QStringLiteral("ss")));
  picker->SetDateTime(CalendarTime{2024, 2, 30});  // no such day: kept as it was
  EXPECT_EQ(native->date(), QDate(2024, 5, 6));
  EXPECT_TRUE(events.Only("DateTime").empty());

  native->setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(native, Qt::Key_Up);
  EXPECT_EQ(events.Only("DateTime"), (Calls{"DateTimeChanged 2024-5-6 13:30:0 dow 1"}));
}

TEST_F(QtControlTest, CalendarPickersReportTypingAndOnceWhenTheCalendarCloses) {
  RecordingEvents events;
  auto picker = Make(ControlKind::DatePicker, events, {55, 10, 120, 21});
  picker->SetDatePickerStyle(DatePickerStyle{.title_background = 0xFF0000, .title_text = 0xFFFFFF});
  picker->SetDateTime(CalendarTime{2024, 5, 6});
  QDateTimeEdit* native = Native<QDateTimeEdit>(*picker);
  ASSERT_TRUE(native->calendarPopup());
  EXPECT_EQ(native->displayFormat(), QStringLiteral("dd.MM.yyyy"));
  EXPECT_EQ(native->text(), QStringLiteral("06.05.2024"));

  native->setCurrentSection(QDateTimeEdit::DaySection);
  QTest::keyClick(native, Qt::Key_Up);  // typed in the field: reported at once
  EXPECT_EQ(native->date(), QDate(2024, 5, 7));
  EXPECT_EQ(events.Only("DateTime"), (Calls{"DateTimeChanged 2024-5-7 0:0:0 dow 2"}));
  events.calls.clear();

  QTest::mouseClick(native, Qt::LeftButton, {}, QPoint(native->width() - 5, 10));  // the drop-down arrow
  QCalendarWidget* calendar = native->calendarWidget();
  ASSERT_TRUE(calendar->window()->isVisible());
  QWidget* days = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview"));
  ASSERT_NE(days, nullptr);
  QTest::keyClick(days, Qt::Key_Right);  // steps in the open calendar: not yet
  QTest::keyClick(days, Qt::Key_Right);
  QTest::keyClick(days, Qt::Key_Return);
  EXPECT_FALSE(calendar->window()->isVisible());
  EXPECT_EQ(events.Only("DateTime"), (Calls{"DateTimeChanged 2024-5-9 0:0:0 dow 4"}));
}

TEST_F(QtControlTest, PickersAreRussianWhateverTheLocaleAndKeepTheirTextClearOfTheButton) {
  const QLocale before;
  QLocale::setDefault(QLocale::c());
  RecordingEvents events;
  // As the day-and-time panel places them.
  auto date = Make(ControlKind::DatePicker, events, {55, 10, 80, 21});
  date->SetDatePickerStyle({});
  date->SetDateTime(CalendarTime{2026, 12, 10});
  auto time = Make(ControlKind::DatePicker, events, {156, 10, 70, 21});
  time->SetDatePickerStyle(DatePickerStyle{.time_format = true});
  time->SetDateTime(CalendarTime{2026, 12, 10, 23, 58, 59});
  QLocale::setDefault(before);
  QDateTimeEdit* native = Native<QDateTimeEdit>(*date);
  EXPECT_EQ(native->text(), QStringLiteral("10.12.2026"));
  EXPECT_EQ(Native<QDateTimeEdit>(*time)->text(), QStringLiteral("23:58:59"));
  ASSERT_NE(native->calendarWidget(), nullptr);
  EXPECT_EQ(native->calendarWidget()->locale().language(), QLocale::Russian);
  EXPECT_EQ(native->calendarWidget()->locale().monthName(12, QLocale::LongFormat),
            QString::fromUtf8("декабря"));
  date->SetDatePickerStyle(DatePickerStyle{.long_date = true});
  EXPECT_TRUE(native->text().contains(QString::fromUtf8("декабря")));
  date->SetDatePickerStyle({});

  for (Control* picker : {date.get(), time.get()}) {
    QDateTimeEdit* edit = Native<QDateTimeEdit>(*picker);
    auto* field = edit->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    QTest::qWait(1);  // the field takes its place at the next resize
    const int text = QFontMetrics(edit->font()).horizontalAdvance(edit->text());
    EXPECT_LE(text + 2 * 2 + 2, field->width()) << edit->text().toStdString();
  }
}

TEST_F(QtControlTest, CanvasesPaintThroughThePainterAndTakeTheirOwnMouse) {
  RecordingEvents events;
  bool lit = true;
  events.painter = [&](Painter& p) { p.FillEllipse({0, 0, 15, 15}, lit ? 0x0000FF : 0x000080); };
  auto lamp = Make(ControlKind::Canvas, events, {8, 13, 15, 15});
  lamp->SetColor(0xFF00000F);
  EXPECT_EQ(Widget(*lamp)->grab().toImage().pixel(7, 7), qRgb(0xFF, 0, 0));
  lit = false;
  lamp->Repaint();
  EXPECT_EQ(Widget(*lamp)->grab().toImage().pixel(7, 7), qRgb(0x80, 0, 0));
  EXPECT_EQ(Widget(*lamp)->grab().toImage().pixel(0, 0),
            QApplication::palette().color(QPalette::Button).rgb());

  events.calls.clear();
  QTest::mousePress(Widget(*lamp), Qt::LeftButton, {}, QPoint(4, 5));
  QTest::mouseMove(Widget(*lamp), QPoint(6, 7));
  QTest::mouseRelease(Widget(*lamp), Qt::LeftButton, {}, QPoint(6, 7));
  QTest::mouseMove(Widget(*lamp), QPoint(2, 2));
  QWheelEvent wheel(QPointF(3, 3), Widget(*lamp)->mapToGlobal(QPointF(3, 3)), {}, QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Widget(*lamp), &wheel);
  EXPECT_EQ(events.Only("Mouse"),
            (Calls{"MouseDown 0 4,5", "MouseMove 0 6,7", "MouseUp 0 6,7", "MouseMove 255 2,2"}));
  EXPECT_EQ(events.Only("Wheel"), (Calls{"Wheel -120"}));
  EXPECT_TRUE(form_events.Only("Mouse").empty());
  EXPECT_TRUE(form_events.Only("Wheel").empty());

  // Leaving the control is a move outside it, so a lit-up look can be dropped.
  events.calls.clear();
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Widget(*lamp), &leave);
  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_TRUE(events.calls[0].starts_with("MouseMove"));
  EXPECT_NE(events.calls[0], "MouseMove 255 2,2");
}

TEST_F(QtControlTest, LabelsAndGroupBoxesPassTheMouseToTheFormBeneath) {
  RecordingEvents group_events, label_events;
  auto group = Make(ControlKind::GroupBox, group_events, {2, 2, 82, 55});
  auto label = Make(ControlKind::Label, label_events, {12, 15, 10, 17}, group.get());
  label->SetText("7");
  QTest::mouseClick(Widget(*label), Qt::LeftButton, {}, QPoint(3, 4));
  QTest::mouseClick(Widget(*group), Qt::LeftButton, {}, QPoint(40, 40));
  EXPECT_TRUE(label_events.Only("Mouse").empty());
  EXPECT_TRUE(group_events.Only("Mouse").empty());
  EXPECT_EQ(form_events.Only("MouseDown"), (Calls{"MouseDown 0 17,21", "MouseDown 0 42,42"}));
}

TEST_F(QtControlTest, FocusIsReportedWhenItEntersAndLeavesAControl) {
  RecordingEvents first_events, picker_events;
  auto first = Make(ControlKind::Edit, first_events, {10, 10, 60, 20});
  auto picker = Make(ControlKind::DatePicker, picker_events, {10, 40, 120, 21});
  QApplication::setActiveWindow(Widget(*form));
  Widget(*first)->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(first_events.Only("Focus"), (Calls{"FocusIn"}));
  QTest::mouseClick(Widget(*picker), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(first_events.Only("Focus"), (Calls{"FocusIn", "FocusOut"}));
  EXPECT_EQ(picker_events.Only("Focus"), (Calls{"FocusIn"}));
  Widget(*first)->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(picker_events.Only("Focus"), (Calls{"FocusIn", "FocusOut"}));
}

TEST_F(QtControlTest, TabStopsFollowTheirOrderThroughGroupBoxes) {
  RecordingEvents events;
  auto group = Make(ControlKind::GroupBox, events, {0, 0, 200, 100});
  auto late = Make(ControlKind::Edit, events, {0, 0, 10, 10});
  auto inner = Make(ControlKind::Edit, events, {0, 20, 10, 10}, group.get());
  auto early = Make(ControlKind::Edit, events, {0, 40, 10, 10});
  auto no_stop = Make(ControlKind::Edit, events, {0, 60, 10, 10});
  late->SetTabOrder(3);
  group->SetTabOrder(0);
  inner->SetTabOrder(1);
  early->SetTabOrder(2);
  no_stop->SetTabOrder(0);
  EXPECT_EQ(Widget(*no_stop)->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(Widget(*inner)->nextInFocusChain(), Widget(*early));
  EXPECT_EQ(Widget(*early)->nextInFocusChain(), Widget(*late));
}

TEST_F(QtControlTest, FormsLeaveClosingToTheElementAndKeepTheirClientSizeUnderAnyFrame) {
  QWidget* window = Widget(*form);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(form_events.Only("Close"), (Calls{"CloseRequested"}));

  form->SetBorderStyle(1);
  form->SetGeometry({10, 20, 554, 614});
  EXPECT_EQ(window->size(), QSize(548, 589));  // the Windows frame taken off
  EXPECT_EQ(form->Geometry(), (Rect{window->x(), window->y(), 554, 614}));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // no sizing frame
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->isVisible());  // still shown after the new frame
  form->SetClientSize({558, 616});
  EXPECT_EQ(window->size(), QSize(558, 616));
  form->SetBorderStyle(2);
  EXPECT_NE(window->minimumSize(), window->maximumSize());
  form->SetBorderStyle(6);
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowTitleHint));
  form->SetBorderStyle(0);
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
  form->SetBorderStyle(9);  // not a style: unchanged
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));

  form->SetOpacity(128);
  EXPECT_NEAR(window->windowOpacity(), 128 / 255.0, 0.01);
  form->SetIcon(Picture{1, 1, {0xFFFF0000}});
  EXPECT_FALSE(window->windowIcon().isNull());

  form_events.calls.clear();
  form->ShowMinimized();
  EXPECT_TRUE(form_events.Only("Minimize").empty());  // the element's own doing
  form->SetVisible(true);
  EXPECT_FALSE(window->windowState().testFlag(Qt::WindowMinimized));
  form->SetVisible(false);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(QtControlTest, OwnedFormsAreTransientWindowsOfTheirOwner) {
  RecordingEvents events, label_events;
  auto label = Make(ControlKind::Label, label_events, {0, 0, 10, 10});
  auto owned = ui.Create(ControlKind::Form, label.get(), &events);  // any control names its window
  QWidget* window = Widget(*owned);
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->parentWidget(), Widget(*form));
  // Window types that X11 window managers keep above the owner (a plain window gets no
  // WM_TRANSIENT_FOR): a tool window without a caption, a dialog with one.
  owned->SetBorderStyle(6);
  EXPECT_EQ(window->windowType(), Qt::Tool);
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowTitleHint));
  owned->SetBorderStyle(3);
  EXPECT_EQ(window->windowType(), Qt::Dialog);
  owned->SetBorderStyle(1);
  EXPECT_EQ(window->windowType(), Qt::Dialog);
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  form->SetBorderStyle(6);  // without an owner: a window of its own
  EXPECT_EQ(Widget(*form)->windowType(), Qt::Window);
  EXPECT_FALSE(window->isVisible());
  owned->SetVisible(true);
  EXPECT_EQ(events.Only("Shown"), (Calls{"Shown"}));
  owned->Activate();
  QTRY_COMPARE(ui.ActiveForm(), owned.get());
}

TEST_F(QtControlTest, FixedFormsNeverShowASizeRangeOnTheirWayToANewSize) {
  QWidget* window = Widget(*form);
  form->SetBorderStyle(1);
  std::vector<std::pair<QSize, QSize>> ranges;
  struct Watch : QObject {
    QWidget* window;
    std::vector<std::pair<QSize, QSize>>* ranges;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
        ranges->emplace_back(window->minimumSize(), window->maximumSize());
      return false;
    }
  } watch;
  watch.window = window;
  watch.ranges = &ranges;
  for (QSize size : {QSize(548, 589), QSize(275, 494), QSize(600, 400), QSize(300, 700)}) {
    form->SetClientSize({size.width(), size.height()});
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(window->minimumSize(), size);
    EXPECT_EQ(window->maximumSize(), size);
  }
  for (const auto& [minimum, maximum] : ranges) {
    EXPECT_FALSE(minimum.width() < maximum.width() || minimum.height() < maximum.height());
  }
}

TEST_F(QtControlTest, TheMainWindowsFontIsTheFontOfMenusAndTooltips) {
  FontSpec spec;
  spec.size = 10;
  form->SetFont(spec);
  const QFont expected = ToQFont(spec);
  EXPECT_EQ(QApplication::font("QMenu"), expected);
  QMenu menu;
  menu.ensurePolished();  // as before it opens
  EXPECT_EQ(menu.font(), expected);
  EXPECT_EQ(QToolTip::font(), expected);
  // An owned form's font is its own business.
  RecordingEvents events;
  auto owned = ui.Create(ControlKind::Form, form.get(), &events);
  owned->SetFont(FontSpec{.size = 14});
  EXPECT_EQ(QApplication::font("QMenu"), expected);
}

TEST_F(QtControlTest, AFormShowsItsMemosFromTheTop) {
  RecordingEvents events;
  auto owned = ui.Create(ControlKind::Form, form.get(), &events);
  owned->SetClientSize({200, 100});
  auto memo = ui.Create(ControlKind::Memo, owned.get(), &events);
  memo->SetGeometry({0, 0, 200, 100});
  memo->SetScrollBars(2);
  std::string text;
  for (int line = 0; line < 100; ++line) text += "line " + std::to_string(line) + "\r\n";
  memo->SetText(text);
  memo->SetVisible(true);
  owned->SetVisible(true);
  QScrollBar* bar = Native<QPlainTextEdit>(*memo)->verticalScrollBar();
  bar->setValue(bar->maximum());
  ASSERT_GT(bar->value(), 0);
  owned->SetVisible(false);
  owned->SetVisible(true);
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(QtControlTest, FormsWithoutAPictureShowTheApplicationsIcon) {
  QPixmap application(16, 16);
  application.fill(Qt::blue);
  QApplication::setWindowIcon(QIcon(application));
  RecordingEvents events;
  auto owned = ui.Create(ControlKind::Form, form.get(), &events);
  owned->SetIcon(Picture{1, 1, {0xFFFF0000}});
  EXPECT_NE(Widget(*owned)->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
  owned->SetIcon(Picture{});
  EXPECT_EQ(Widget(*owned)->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
  QApplication::setWindowIcon(QIcon());
}

TEST_F(QtControlTest, AControlDestroyedInAModalLoopOfAReportWaitsForTheReportToEnd) {
  RecordingEvents events;
  auto button = Make(ControlKind::Button, events, {10, 10, 60, 24});
  auto edit = Make(ControlKind::Edit, events, {10, 40, 60, 24});
  QPointer<QWidget> native = Widget(*edit);
  events.on_clicked = [&] {
    // A modal loop (a message box, a menu) in which a timer destroys a control whose
    // event handling may be on the stack beneath: it is hidden, not deleted.
    QEventLoop loop;
    QTimer::singleShot(0, [&] { edit.reset(); });
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(native.isNull());
    if (native) {
      EXPECT_FALSE(native->isVisible());
    }
  };
  QTest::mouseClick(Widget(*button), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(edit, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(native.isNull());
}

TEST_F(QtControlTest, AControlMayBeDestroyedFromItsOwnReport) {
  RecordingEvents events;
  auto button = Make(ControlKind::Button, events, {10, 10, 60, 24});
  QPointer<QWidget> native = Widget(*button);
  events.on_clicked = [&] { button.reset(); };
  QTest::mouseClick(native, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(native.isNull());

  // Directly, outside any report, the widget goes at once.
  auto edit = Make(ControlKind::Edit, events, {10, 10, 60, 24});
  native = Widget(*edit);
  edit.reset();
  EXPECT_TRUE(native.isNull());
}

}  // namespace
}  // namespace lumi::platform::qt_backend
