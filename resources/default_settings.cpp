#include "resources/default_settings.h"

namespace lumi::resources {

namespace {

std::string Build() {
  std::string text;
  for (int channel = 0; channel < 14; ++channel) {
    // Thresholds 7, 14, ... 91, then 99: with every channel on processor load the
    // fourteen lamps make a bar graph that reaches the top just short of full load.
    const int threshold = channel == 13 ? 99 : 7 * (channel + 1);
    text += "[" + std::to_string(channel) + "]\r\n";
    text += "Signal=0\r\n";
    text += "Var1=" + std::to_string(threshold) + "\r\n";
    text += "Var2=C\r\n";
    text += "\r\n";
  }
  text += "[Main]\r\n";
  text += "Port=COM 1\r\n";
  text += "BaudRade=9600\r\n";
  text += "Pause=1\r\n";
  return text;
}

}  // namespace

const std::string& DefaultSettings() {
  static const std::string kText = Build();
  return kText;
}

}  // namespace lumi::resources
