// Renders a sample form with every kind of control and the program's Russian captions
// to a PNG, so a person can check that the desktop stand-ins for the Windows controls
// and font show every caption whole:
//   ui_sample OUT.png
// Prints the resident memory of the process afterwards.

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/qt_control.h"
#include "platform/qt/qt_ui.h"
#include "runtime/cp1251.h"

namespace {

using lumi::platform::Control;
using lumi::platform::ControlEvents;
using lumi::platform::ControlKind;
using lumi::platform::FontSpec;
using lumi::platform::Painter;
using lumi::platform::Point;
using lumi::platform::Rect;

std::string Cp(const char* utf8) { return lumi::cp1251::FromUtf8(utf8); }

// The on-screen lamp: a disc with a bevel and a highlight, drawn with arcs.
class Lamp final : public ControlEvents {
 public:
  explicit Lamp(bool lit) : lit_(lit) {}
  void Paint(Painter& p) override {
    const int32_t r = 15, b = 15;
    p.FillEllipse({0, 0, r, b}, lit_ ? 0x0000FF : 0x000080);
    p.Arc({0, 0, r, b}, {r, 0}, {0, b}, 0x808080, 1);
    p.Arc({0, 0, r, b}, {0, b}, {r, 0}, 0xFFFFFF, 1);
    if (lit_) p.Arc({1, 1, r - 2, b - 2}, {r / 8 - 1, b - 1}, {r - 1, b / 8 - 1}, 0x000080, 1);
    const int32_t l2 = r / 5, r2 = r - r / 5, t2 = b / 5, b2 = b - b / 5;
    const Rect inner{l2, t2, r2 - l2, b2 - t2};
    auto round = [](double v) { return static_cast<int32_t>(std::nearbyint(v)); };
    p.Arc(inner, {l2 + round(0.52 * (r2 - l2)), t2}, {l2, t2 + round(0.52 * (b2 - t2))},
          lit_ ? 0xFFFFFF : 0x000080, 1);
    p.Arc(inner, {l2 + round(0.24 * (r2 - l2)), t2}, {l2, t2 + round(0.24 * (b2 - t2))},
          lit_ ? 0xFFFFFF : 0x0000FF, 2);
  }

 private:
  bool lit_;
};

class Disc final : public ControlEvents {
 public:
  void Paint(Painter& p) override { p.FillEllipse({2, 2, 36, 36}, 0x00A000); }
};

class FaceButton final : public ControlEvents {
 public:
  void Paint(Painter& p) override {
    p.Edge({0, 0, 30, 30}, false);
    p.FillRect({7, 7, 16, 16}, 0x00C0FF);
    p.Frame({7, 7, 16, 16}, 0x404040);
  }
};

class Sample {
 public:
  Sample() {
    form_ = ui_.Create(ControlKind::Form, nullptr, nullptr);
    form_->SetText("Lumiscope 1.0.0.0");
    form_->SetBorderStyle(1);
    form_->SetColor(0xFF00000F);
    form_->SetFont(FontSpec{});
    form_->SetClientSize({560, 330});

    Control* row1 = Add(ControlKind::GroupBox, form_.get(), {5, 8, 269, 33}, Cp("01"));
    Add(ControlKind::Canvas, row1, {8, 13, 15, 15}, "", &lit_)->SetHint(Cp("Индикатор №01"));
    Add(ControlKind::Label, row1, {26, 13, 238, 17}, Cp("Загрузка ЦП больше 50 %"));
    Control* row2 = Add(ControlKind::GroupBox, form_.get(), {5, 41, 269, 33}, Cp("02"));
    Add(ControlKind::Canvas, row2, {8, 13, 15, 15}, "", &dark_)->SetHint(Cp("Индикатор №02"));
    Add(ControlKind::Label, row2, {26, 13, 238, 17}, Cp("Событие не определено"));
    Control* pick = Add(ControlKind::GroupBox, form_.get(), {280, 0, 25, 80}, "");
    Add(ControlKind::RadioButton, pick, {5, 22, 15, 15}, "")->SetChecked(true);
    Add(ControlKind::RadioButton, pick, {5, 55, 15, 15}, "");

    Control* cpu = Add(ControlKind::GroupBox, form_.get(), {315, 0, 232, 43}, "");
    Add(ControlKind::Label, cpu, {8, 17, 171, 17}, Cp("Сигнал, если загрузка ЦП более"));
    Add(ControlKind::Edit, cpu, {179, 14, 20, 20}, "50");
    Add(ControlKind::Button, cpu, {200, 9, 15, 15}, "+");
    Add(ControlKind::Button, cpu, {200, 24, 15, 15}, "-");
    Add(ControlKind::Label, cpu, {217, 17, 12, 17}, "%");

    Control* ram = Add(ControlKind::GroupBox, form_.get(), {315, 43, 232, 60}, "");
    Add(ControlKind::Label, ram, {9, 9, 215, 17}, Cp("Сигнал,  если  объём  занятой  оператив-"));
    Add(ControlKind::Label, ram, {9, 33, 128, 17}, Cp("ной памяти (RAM) более"));
    Add(ControlKind::Edit, ram, {142, 31, 25, 20}, "50");
    Add(ControlKind::Button, ram, {168, 26, 15, 15}, "+");
    Add(ControlKind::Button, ram, {168, 41, 15, 15}, "-");
    Add(ControlKind::Label, ram, {188, 34, 16, 17}, "%");

    Control* day = Add(ControlKind::GroupBox, form_.get(), {315, 103, 232, 60}, "");
    Add(ControlKind::Label, day, {9, 12, 40, 17}, Cp("Сигнал"));
    Control* date = Add(ControlKind::DatePicker, day, {55, 10, 80, 21}, "");
    date->SetDatePickerStyle({.title_background = 0xFF0000,
                              .title_text = 0xFFFFFF,
                              .month_background = 0xFFFFFF,
                              .trailing_text = 0xFF0000});
    date->SetDateTime({2024, 12, 31, 23, 59, 58});
    Add(ControlKind::Label, day, {142, 12, 10, 17}, Cp("в"));
    Control* time = Add(ControlKind::DatePicker, day, {156, 10, 70, 21}, "");
    time->SetDatePickerStyle({.time_format = true});
    time->SetDateTime({2024, 12, 31, 23, 59, 58});
    Add(ControlKind::Label, day, {9, 36, 200, 17}, Cp("  Вт 31.12.2024 23:59:58"));

    Control* lang = Add(ControlKind::GroupBox, form_.get(), {315, 163, 232, 57}, "");
    Add(ControlKind::Label, lang, {9, 11, 190, 17}, Cp("Сигнал при переключении языка на:"));
    Control* languages = Add(ControlKind::ComboBox, lang, {9, 30, 215, 21}, "");
    languages->SetItems({Cp("Русский"), Cp("Английский (США)")});
    languages->SetSelection(0);

    Control* port = Add(ControlKind::GroupBox, form_.get(), {6, 100, 299, 36}, "");
    Add(ControlKind::Label, port, {4, 13, 27, 17}, Cp("Порт:"));
    Control* ports = Add(ControlKind::ComboBox, port, {33, 10, 69, 21}, "");
    ports->SetItems({Cp("COM 1"), Cp("COM 3")});
    ports->SetSelection(0);
    Add(ControlKind::Label, port, {104, 13, 50, 17}, Cp("Скорость:"));
    Control* speed = Add(ControlKind::ComboBox, port, {157, 10, 59, 21}, "");
    speed->SetItems({"9600", "115200"});
    speed->SetSelection(1);
    Add(ControlKind::Label, port, {219, 13, 33, 17}, Cp("Пауза:"));
    Control* pause = Add(ControlKind::ComboBox, port, {255, 10, 40, 21}, "");
    pause->SetItems({"0.2", "1", "2.5"});
    pause->SetSelection(2);

    Control* buttons = Add(ControlKind::GroupBox, form_.get(), {0, 140, 311, 42}, "");
    Add(ControlKind::PictureButton, buttons, {3, 9, 30, 30}, "", &face_)->SetHint(Cp("Выход из программы"));
    Add(ControlKind::CheckBox, buttons, {70, 15, 170, 20}, Cp("Запускать вместе с Windows"))
        ->SetChecked(true);

    Add(ControlKind::CheckBox, form_.get(), {8, 190, 100, 20}, Cp("Автозапуск"));
    Add(ControlKind::RadioButton, form_.get(), {110, 190, 100, 20}, Cp("Пауза:"));
    Add(ControlKind::Button, form_.get(), {210, 188, 95, 24}, Cp("Индикатор №01"));
    Add(ControlKind::Canvas, form_.get(), {8, 220, 40, 40}, "", &disc_);
    Control* memo = Add(ControlKind::Memo, form_.get(), {60, 220, 245, 100},
                        Cp("Lumiscope 1.0.0.0\r\nПрограмма показывает состояние компьютера на "
                           "четырнадцати индикаторах.\r\nСкорость: 9600\r\nПауза: 1\r\n"
                           "Первый байт\r\nВторой байт\r\nОкно отладки"));
    memo->SetScrollBars(2);
    Control* second = Add(ControlKind::GroupBox, form_.get(), {315, 225, 82, 55}, Cp("Второй байт"));
    Add(ControlKind::Edit, second, {9, 28, 63, 20}, "10000000");
    const char* bits[] = {"7", "6", "5", "4", "3", "2", "1", "0"};
    for (int i = 0; i < 8; ++i) Add(ControlKind::Label, second, {12 + 7 * i, 15, 10, 17}, bits[i]);
    Add(ControlKind::GroupBox, form_.get(), {400, 225, 82, 55}, Cp("Первый байт"));
    Add(ControlKind::Label, form_.get(), {315, 290, 240, 17}, Cp("Скорость передачи данных (бит/с.)"));
  }

  QWidget* Window() { return static_cast<lumi::platform::qt_backend::QtControl&>(*form_).Widget(); }
  void Show() { form_->SetVisible(true); }

  ~Sample() {
    // Children before their parents.
    while (!controls_.empty()) controls_.pop_back();
  }

 private:
  Control* Add(ControlKind kind, Control* parent, Rect rect, const std::string& text,
               ControlEvents* events = nullptr) {
    controls_.push_back(ui_.Create(kind, parent, events));
    Control* control = controls_.back().get();
    control->SetFont(FontSpec{});
    control->SetGeometry(rect);
    if (!text.empty()) control->SetText(text);
    control->SetVisible(true);
    return control;
  }

  lumi::platform::qt_backend::QtUi ui_;
  Lamp lit_{true};
  Lamp dark_{false};
  Disc disc_;
  FaceButton face_;
  std::unique_ptr<Control> form_;
  std::vector<std::unique_ptr<Control>> controls_;
};

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ui_sample OUT.png\n");
    return 2;
  }
  QApplication app(argc, argv);
  const QString path = QString::fromLocal8Bit(argv[1]);
  int status = 0;
  {
    Sample sample;
    sample.Show();
    // Let the window system map and paint the window before it is grabbed.
    QTimer::singleShot(300, [&] {
      if (!sample.Window()->grab().save(path, "PNG")) {
        std::fprintf(stderr, "ui_sample: cannot write %s\n", argv[1]);
        status = 1;
      }
      QApplication::exit(0);  // quit() would ask the form, which refuses to close
    });
    QApplication::exec();
    std::printf("VmRSS: %ld kB\n", ResidentKilobytes());
  }
  return status;
}
