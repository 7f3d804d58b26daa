#include "elements/device/com.h"

#include <optional>

#include "platform/services.h"
#include "runtime/number_text.h"

namespace lumi {

TElCOM::~TElCOM() = default;

void TElCOM::Open(TData& data, uint16_t) {
  int32_t number = PullInteger(data, InPort, static_cast<int32_t>(Port) + 1);
  int32_t baud = PullInteger(data, InBaud, Baud);

  // Reading past the five letters would put an arbitrary byte into the mode text; a
  // parity outside them is a setting the line refuses.
  static constexpr char kParityLetters[] = "NOEMS";
  if (Parity < 0 || Parity > 4) {
    port_.reset();
    return;
  }
  Text mode =
      "baud=" + IntegerToText(baud) + " parity=" + kParityLetters[Parity] + " data=8 stop=1 " + "octs=off";

  if (port_ != nullptr && number == open_number_ && mode == open_mode_ && Timeout == open_timeout_ &&
      port_->IsHealthy()) {
    return;
  }
  // The old handle goes first: the port is opened unshared.
  port_.reset();
  port_ = platform::Current().serial->Open(number, mode, Timeout);
  if (port_ == nullptr) return;
  open_number_ = number;
  open_mode_ = std::move(mode);
  open_timeout_ = Timeout;
}

void TElCOM::Close(TData&, uint16_t) { port_.reset(); }

void TElCOM::Write(TData& data, uint16_t) {
  Text bytes = data.AsString();
  if (port_ == nullptr) return;
  std::optional<size_t> written = port_->Write(bytes);
  // An unplugged adapter answers every later write with an error: let go of it, so
  // the next Open finds the device again.
  if (!written || !port_->IsHealthy()) port_.reset();
  TailInteger(data, OnWrite, written ? static_cast<int32_t>(*written) : 0);
}

}  // namespace lumi
