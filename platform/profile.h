#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lumi::platform {

// Windows-style ini files ("private profiles"), read and written one key at a time.
// Names and values are byte strings (Windows-1251); paths are Linux paths.
class Profile {
 public:
  virtual ~Profile() = default;
  virtual int32_t ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                              int32_t fallback) = 0;
  // At most `max_length` characters of the value.
  virtual std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& fallback, size_t max_length) = 0;
  // Creates the file, the section and the key as needed. False when nothing could be
  // written; the file is then as it was.
  virtual bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

}  // namespace lumi::platform
