#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace lumi::platform::linux_backend {

// The file of one user's registry values, "lumiscope-registry 1" and one line per
// value, in which every byte of names and data is escaped so that anything
// round-trips and the file stays plain printable text.
struct StoredValue {
  int root;
  std::string key;
  std::string name;
  RegistryType type;
  std::string bytes;
};

struct Store {
  std::vector<StoredValue> values;
  bool readable = true;  // false: the file is there but cannot be read, so must not be replaced
  bool damaged = false;  // something in the file was not understood and is not in `values`
};

bool SameValue(const StoredValue& v, int root, std::string_view folded_key, std::string_view folded_name);
// A file that is not ours reads as empty; a line that does not parse (a careless hand
// edit) is left out and the rest kept. The first of two equal values wins.
Store LoadStore(const std::string& path);
// Replaces the store in `folder`; what could not be read stays beside it as
// "registry.damaged" instead of being lost with the write.
bool SaveStore(const std::string& folder, const Store& store);

}  // namespace lumi::platform::linux_backend
