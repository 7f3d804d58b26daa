#pragma once

#include <string>

namespace lumi::platform {

// The application-modal message box. Texts are Windows-1251.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(const std::string& text, const std::string& caption) = 0;
  // Something the person who started the program should know but need not answer (a
  // setting that cannot work, say). Without a window it is a line on stderr, each text
  // once; with one the program shows it where a person looks and this does nothing.
  virtual void Notice(const std::string& /*text*/) {}
};

}  // namespace lumi::platform
