#include "resources/resources.h"

namespace lumi::resources {

const std::string& Text(std::string_view) {
  static const std::string kNone;
  return kNone;
}

}  // namespace lumi::resources
