#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"

namespace lumi::platform::windows_backend {

// The Windows registry. Under the current user's Run key a path with blanks is stored
// quoted, as Windows needs it to start the right file ("C:\Program Files\..." would
// otherwise start "C:\Program"), and read back without the quotes, so the program
// finds its own path there.
class WindowsRegistry final : public Registry {
 public:
  std::optional<RegistryValue> Query(RegistryRoot root, const std::string& key,
                                     const std::string& name) override;
  bool Set(RegistryRoot root, const std::string& key, const std::string& name,
           const RegistryValue& value) override;
  void Delete(RegistryRoot root, const std::string& key, const std::string& name) override;

  static bool IsRunKey(RegistryRoot root, const std::string& key);
};

}  // namespace lumi::platform::windows_backend
