// Text to numbers and numbers to text must be total: any bytes, any double.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "runtime/data.h"
#include "runtime/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(bytes), size);
  lumi::TData d = lumi::TData::String(std::string(text));
  (void)d.AsInteger();
  (void)d.AsIndex();
  double real = d.AsReal();
  (void)lumi::RealToText(real);
  (void)lumi::RealToInteger(real);

  if (size >= sizeof(double)) {
    double x;
    std::memcpy(&x, bytes, sizeof x);
    lumi::Text shown = lumi::RealToText(x);
    (void)lumi::RealToInteger(x);
    if (shown.size() > 400) std::abort();  // fifteen digits and at most 308 zeros
    // What is shown reads back as the same value to fifteen digits.
    if (std::isfinite(x) && std::fabs(x) > 1e-290 && std::fabs(x) < 1e290) {
      double back = lumi::TextToReal(shown);
      if (std::fabs(back - x) > std::fabs(x) * 1e-13) std::abort();
    }
  }
  return 0;
}
