#pragma once

#include <string>

namespace lumi::platform {

// The application-modal message box. Texts are Windows-1251.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(const std::string& text, const std::string& caption) = 0;
};

}  // namespace lumi::platform
