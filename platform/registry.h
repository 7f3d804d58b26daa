#pragma once

#include <optional>
#include <string>

namespace lumi::platform {

enum class RegistryRoot { ClassesRoot = 0, CurrentUser = 1, LocalMachine = 2, Users = 3, CurrentConfig = 4 };

enum class RegistryType { String, ExpandString, DWord, Binary };

struct RegistryValue {
  RegistryType type = RegistryType::String;
  std::string bytes;  // a string without its terminating zero; a DWord as 4 bytes, little-endian
};

// Keys and typed values under a root. Key paths use "\" between parts.
class Registry {
 public:
  virtual ~Registry() = default;
  // Nothing when the key or the value is missing.
  virtual std::optional<RegistryValue> Query(RegistryRoot root, const std::string& key,
                                             const std::string& name) = 0;
  // Creates the key as needed. False when the value could not be stored.
  virtual bool Set(RegistryRoot root, const std::string& key, const std::string& name,
                   const RegistryValue& value) = 0;
  // A missing key or value is no failure.
  virtual void Delete(RegistryRoot root, const std::string& key, const std::string& name) = 0;
};

}  // namespace lumi::platform
