#include "platform/linux/registry_store.h"

#include <unistd.h>

#include <utility>

#include "platform/linux/atomic_file.h"
#include "platform/linux/registry_names.h"

namespace lumi::platform::linux_backend {
namespace {

constexpr std::string_view kStoreHeader = "lumiscope-registry 1";

constexpr std::pair<RegistryType, std::string_view> kTypeWords[] = {
    {RegistryType::String, "sz"},
    {RegistryType::ExpandString, "expand_sz"},
    {RegistryType::DWord, "dword"},
    {RegistryType::Binary, "binary"},
};

// A field is quoted; inside, printable ASCII stands for itself and every other byte,
// the quote and "%" are written %HH, so the file is plain ASCII and splits on quotes.
void AppendField(std::string& out, std::string_view field) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '"';
  for (char ch : field) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '%') {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  out += '"';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a quoted field at the start of `line` and moves past it and one blank after it.
std::optional<std::string> TakeField(std::string_view& line) {
  if (line.empty() || line.front() != '"') return std::nullopt;
  size_t end = line.find('"', 1);
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view raw = line.substr(1, end - 1);
  std::string field;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '%') {
      field += raw[i];
      continue;
    }
    int high = i + 1 < raw.size() ? HexDigit(raw[i + 1]) : -1;
    int low = i + 2 < raw.size() ? HexDigit(raw[i + 2]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    field += static_cast<char>(high * 16 + low);
    i += 2;
  }
  line.remove_prefix(end + 1);
  if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return field;
}

std::optional<std::string_view> TakeWord(std::string_view& line) {
  size_t end = line.find(' ');
  if (end == 0 || line.empty()) return std::nullopt;
  std::string_view word = line.substr(0, end);
  line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
  return word;
}

// Line: root "key" "name" type "data".
std::optional<StoredValue> ParseLine(std::string_view line) {
  StoredValue value{};
  auto root = TakeWord(line);
  if (!root || root->size() != 1 || (*root)[0] < '0' || (*root)[0] > '4') return std::nullopt;
  value.root = (*root)[0] - '0';
  auto key = TakeField(line);
  auto name = TakeField(line);
  auto type = TakeWord(line);
  if (!key || !name || !type) return std::nullopt;
  bool known = false;
  for (const auto& [t, word] : kTypeWords) {
    if (word == *type) {
      value.type = t;
      known = true;
    }
  }
  auto bytes = TakeField(line);
  if (!known || !bytes || !line.empty()) return std::nullopt;
  value.key = std::move(*key);
  value.name = std::move(*name);
  value.bytes = std::move(*bytes);
  return value;
}

std::string FormatStore(const std::vector<StoredValue>& values) {
  std::string out(kStoreHeader);
  out += '\n';
  for (const StoredValue& v : values) {
    out += static_cast<char>('0' + v.root);
    out += ' ';
    AppendField(out, v.key);
    out += ' ';
    AppendField(out, v.name);
    out += ' ';
    for (const auto& [t, word] : kTypeWords)
      if (t == v.type) out += word;
    out += ' ';
    AppendField(out, v.bytes);
    out += '\n';
  }
  return out;
}

}  // namespace

bool SameValue(const StoredValue& v, int root, std::string_view folded_key, std::string_view folded_name) {
  return v.root == root && Fold(v.key) == folded_key && Fold(v.name) == folded_name;
}

Store LoadStore(const std::string& path) {
  Store store;
  bool missing = false;
  std::optional<std::string> bytes = ReadRegistryFile(path, &missing);
  if (!bytes) {
    store.readable = missing;
    return store;
  }
  std::string_view rest = *bytes;
  size_t end = rest.find('\n');
  if (rest.substr(0, end) != kStoreHeader) {
    store.damaged = !bytes->empty();
    return store;
  }
  std::vector<StoredValue>& values = store.values;
  while (end != std::string_view::npos) {
    rest.remove_prefix(end + 1);
    end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::optional<StoredValue> value = ParseLine(line);
    if (!value) {
      store.damaged = true;
      continue;
    }
    std::string key = Fold(value->key);
    std::string name = Fold(value->name);
    bool seen = false;
    for (const StoredValue& v : values) seen = seen || SameValue(v, value->root, key, name);
    if (!seen) values.push_back(std::move(*value));
  }
  return store;
}

bool SaveStore(const std::string& folder, const Store& store) {
  if (!store.readable) return false;
  if (store.damaged) {
    std::string damaged = folder + "/registry.damaged";
    unlink(damaged.c_str());
    if (link((folder + "/registry").c_str(), damaged.c_str()) != 0) return false;
  }
  return MakeFolders(folder) && ReplaceFile(folder + "/registry", FormatStore(store.values), 0600);
}

}  // namespace lumi::platform::linux_backend
