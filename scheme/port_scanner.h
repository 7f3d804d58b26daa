#pragma once

#include "runtime/container.h"

namespace lumi {

// Finds the serial ports that open: each of COM 0..255 in turn is opened, greeted with
// "AT" CR LF at 9600 bit/s and closed again.
//   Work[0]     scan
//   OnEvent[0]  "COM n" for every port that opened, in ascending order
class PortScanner : public Container {
 public:
  explicit PortScanner(TElement* parent);
};

}  // namespace lumi
