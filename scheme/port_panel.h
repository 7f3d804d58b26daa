#pragma once

#include "runtime/container.h"

namespace lumi {

class TElCOM;
class TElComboBox;
class TElGroupBox;
class TElMultiElement;

// The port, speed and pause lists, the serial port of the indicator unit and the
// "Main" section of the settings file.
//   Work[0]     scan the ports and fill the port list
//   Work[1]     read "Port" and select it
//   Work[2]     read "BaudRade" and select it
//   Work[3]     read "Pause", select it and report the cycle interval
//   Work[4]     send a one-character text: Open, then Write
//   Work[5]     a text to tell the person (a setting that cannot work): said once and
//               shown with the port until a list is used
//   InData[0]   settings-file path
//   OnEvent[0]  cycle interval in milliseconds
//   OnEvent[1]  the status whenever it changes: the port in use ("COM 1", or "COM 1 не
//               найден" while it is not there), then what was said, if anything
class PortPanel : public Container {
 public:
  explicit PortPanel(TElement* parent);

  TElGroupBox* Box() const { return box_; }
  TElComboBox* PortList() const { return port_list_; }
  TElComboBox* SpeedList() const { return speed_list_; }
  TElComboBox* PauseList() const { return pause_list_; }
  TElCOM* Port() const { return com_; }

 private:
  TElGroupBox* box_ = nullptr;
  TElComboBox* port_list_ = nullptr;
  TElComboBox* speed_list_ = nullptr;
  TElComboBox* pause_list_ = nullptr;
  TElCOM* com_ = nullptr;
};

}  // namespace lumi
