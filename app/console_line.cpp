#include "app/console_line.h"

#include <cstdio>

#include "runtime/cp1251.h"

namespace lumi {

void TElConsoleLine::Print(TData& data, uint16_t) {
  std::string line = cp1251::ToUtf8(data.AsString());
  std::fprintf(stdout, "%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace lumi
