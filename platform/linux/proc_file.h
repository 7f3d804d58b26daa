#pragma once

#include <cstdint>
#include <string>

namespace lumi::platform::linux_backend {

// Reads a whole file of /proc (or any small text file) into `buffer`, reusing its
// storage. Answers false, with `buffer` empty, when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& buffer);

// a + b and a * b, held at the largest value instead of wrapping: garbled counters
// must not turn into small plausible numbers.
uint64_t SaturatingAdd(uint64_t a, uint64_t b);
uint64_t SaturatingMultiply(uint64_t a, uint64_t b);

}  // namespace lumi::platform::linux_backend
