#pragma once

namespace lumi::platform {

class Clock;
class Drives;
class EventLoop;
class Files;
class Keyboard;
class Memory;
class MessageBox;
class Processors;
class Profile;
class Registry;
class Resolver;
class Serial;
class System;
class Ui;

// The platform implementations the elements talk to, chosen once by the program (or a
// test) before the scheme is built. Until then each slot holds a stand-in that does
// and reports nothing: a clock at value 0, empty folders, no ports, no files (every
// write refused), no drives, a loop whose timers never tick, messages written to stderr, controls that
// show nothing.
struct Services {
  Clock* clock;
  System* system;
  MessageBox* message_box;
  EventLoop* loop;
  Serial* serial;
  Profile* profile;
  Files* files;
  Registry* registry;
  Processors* processors;
  Memory* memory;
  Drives* drives;
  Keyboard* keyboard;
  Resolver* resolver;
  Ui* ui;
};

Services& Current();

// Puts the stand-ins back.
void ResetServices();

}  // namespace lumi::platform
