#pragma once

#include <cstdint>
#include <memory>

#include "platform/serial.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Owns one serial port and writes to it; it never reads.
//
// The port stays open from one Open to the next while the port number, the mode text
// and the time-out are the same and the line is sound: reopening before every byte
// would reset boards that restart when DTR drops. A failed write or a hang-up closes
// the port, so the next Open tries again and a re-plugged adapter comes back by
// itself; a port the platform reports stale for another reason (its device mapped
// elsewhere meanwhile) is reopened by the next Open.
class TElCOM : public TElement {
 public:
  uint8_t Port = 0;  // counted from 0: the port number is Port + 1
  int32_t Baud = 0;
  int32_t Parity = 0;   // index into "NOEMS"; any other value makes Open fail
  int32_t Timeout = 0;  // ms per byte, and once more per write

  TEl_Event OnWrite;
  TEl_Event InBaud;
  TEl_Event InPort;

  ~TElCOM() override;

  void Open(TData& data, uint16_t index);
  void Close(TData& data, uint16_t index);
  void Write(TData& data, uint16_t index);

  bool IsOpen() const { return port_ != nullptr; }

 private:
  std::unique_ptr<platform::SerialPort> port_;
  int32_t open_number_ = 0;
  Text open_mode_;
  int32_t open_timeout_ = 0;
};

}  // namespace lumi
