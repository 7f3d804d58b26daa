#pragma once

namespace lumi::platform {

class Clock;
class MessageBox;
class System;

// The platform implementations the elements talk to, chosen once by the program (or a
// test) before the scheme is built. Until then each slot holds a stand-in that reports
// nothing: a clock at value 0, empty folders, messages written to stderr.
struct Services {
  Clock* clock;
  System* system;
  MessageBox* message_box;
};

Services& Current();

// Puts the stand-ins back.
void ResetServices();

}  // namespace lumi::platform
