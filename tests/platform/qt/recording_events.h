#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "runtime/cp1251.h"

namespace lumi::platform::qt_backend {

// Writes down every report of a control as one line, texts in UTF-8.
class RecordingEvents : public ControlEvents {
 public:
  std::vector<std::string> calls;
  std::function<void(Painter&)> painter;
  std::function<void()> on_mouse_down;
  std::function<void()> on_clicked;
  std::function<void()> on_drop_down;

  void KeyDown(int32_t key) override { calls.push_back("KeyDown " + std::to_string(key)); }
  void KeyUp(int32_t key) override { calls.push_back("KeyUp " + std::to_string(key)); }
  void Char(const std::string& c) override { calls.push_back("Char " + cp1251::ToUtf8(c)); }
  void MouseDown(MouseButton button, Point at) override {
    calls.push_back("MouseDown " + std::to_string(static_cast<int>(button)) + Where(at));
    if (on_mouse_down) on_mouse_down();
  }
  void MouseMove(int32_t held, Point at) override {
    calls.push_back("MouseMove " + std::to_string(held) + Where(at));
  }
  void MouseUp(MouseButton button, Point at) override {
    calls.push_back("MouseUp " + std::to_string(static_cast<int>(button)) + Where(at));
  }
  void Wheel(int32_t delta) override { calls.push_back("Wheel " + std::to_string(delta)); }
  void FocusIn() override { calls.push_back("FocusIn"); }
  void FocusOut() override { calls.push_back("FocusOut"); }
  void Clicked() override {
    calls.push_back("Clicked");
    if (on_clicked) on_clicked();
  }
  void CheckChanged(bool checked) override {
    calls.push_back(std::string("CheckChanged ") + (checked ? "1" : "0"));
  }
  void RadioSelected() override { calls.push_back("RadioSelected"); }
  void DropDown() override {
    calls.push_back("DropDown");
    if (on_drop_down) on_drop_down();
  }
  void SelectionChanged(int32_t index) override {
    calls.push_back("SelectionChanged " + std::to_string(index));
  }
  void TextChanged(const std::string& text) override {
    calls.push_back("TextChanged " + cp1251::ToUtf8(text));
  }
  void DateTimeChanged(const CalendarTime& t) override {
    calls.push_back("DateTimeChanged " + std::to_string(t.year) + "-" + std::to_string(t.month) + "-" +
                    std::to_string(t.day) + " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) +
                    ":" + std::to_string(t.second) + " dow " + std::to_string(t.day_of_week));
  }
  void Paint(Painter& p) override {
    calls.push_back("Paint");
    if (painter) painter(p);
  }
  void CloseRequested() override { calls.push_back("CloseRequested"); }
  void MinimizeRequested() override { calls.push_back("MinimizeRequested"); }
  void Activated(bool active) override { calls.push_back(std::string("Activated ") + (active ? "1" : "0")); }
  void Shown() override { calls.push_back("Shown"); }

  // The calls of one kind only, so a test need not list the moves and focus changes
  // around what it checks.
  std::vector<std::string> Only(const std::string& prefix) const {
    std::vector<std::string> picked;
    for (const std::string& call : calls) {
      if (call.rfind(prefix, 0) == 0) picked.push_back(call);
    }
    return picked;
  }

 private:
  static std::string Where(Point at) { return " " + std::to_string(at.x) + "," + std::to_string(at.y); }
};

}  // namespace lumi::platform::qt_backend
