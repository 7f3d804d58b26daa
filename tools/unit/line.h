#pragma once

#include <array>
#include <string>

namespace lumi::unit {

// A terminal's settings as the kernel keeps them, to put back at exit.
struct SavedLine {
  alignas(8) std::array<unsigned char, 64> data{};
  bool valid = false;
};

bool save_line(int fd, SavedLine& saved);
bool restore_line(int fd, const SavedLine& saved);

// Raw bytes in both directions, 8 data bits, no parity, 1 stop bit, no flow control,
// receiver on, modem lines ignored, at any speed the driver accepts (7200 and 14400
// have no classic code). On failure: false and the reason.
bool set_raw_line(int fd, unsigned baud, std::string& error);

}  // namespace lumi::unit
