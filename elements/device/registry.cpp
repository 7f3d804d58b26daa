#include "elements/device/registry.h"

#include <array>
#include <cstring>
#include <optional>

#include "elements/support/debug_message.h"
#include "platform/services.h"
#include "runtime/cp1251.h"
#include "runtime/text.h"

namespace lumi {

namespace {

const Text kWriteFailed = cp1251::FromUtf8("Не удалось произвести запись в реестр");

constexpr uint8_t kInteger = 0;
constexpr uint8_t kString = 1;
constexpr uint8_t kReal = 2;
constexpr uint8_t kStream = 3;

std::optional<platform::RegistryRoot> RootOf(uint8_t root) {
  if (root > 4) return std::nullopt;
  return static_cast<platform::RegistryRoot>(root);
}

// A key path is opened below the root without its leading backslash.
Text KeyPath(Text key) {
  size_t first = key.find_first_not_of('\\');
  key.erase(0, first == Text::npos ? key.size() : first);
  return key;
}

std::string DWordBytes(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// Shorter data is padded with zeros, as a registry read into a zeroed buffer leaves it;
// longer data does not fit the buffer and reads as nothing.
template <size_t N>
std::optional<std::array<unsigned char, N>> FixedBytes(const std::string& bytes) {
  if (bytes.size() > N) return std::nullopt;
  std::array<unsigned char, N> out{};
  std::memcpy(out.data(), bytes.data(), bytes.size());
  return out;
}

}  // namespace

TData TElRegistry::Query(TData& incoming, bool& found) {
  found = false;
  Text key = KeyPath(PullString(incoming, InKey, Key));
  Text name = PullString(incoming, InValueName, ValueName);
  TData result;
  std::optional<platform::RegistryRoot> root = RootOf(Root);
  if (!root || DataType > kStream) return result;
  std::optional<platform::RegistryValue> value = platform::Current().registry->Query(*root, key, name);
  if (!value) return result;
  switch (DataType) {
    case kInteger:
      if (auto bytes = FixedBytes<4>(value->bytes)) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | (*bytes)[i];
        result.SetInteger(static_cast<int32_t>(v));
        found = true;
      }
      break;
    case kString:
      result.SetString(value->bytes.substr(0, value->bytes.find('\0')));
      found = true;
      break;
    case kReal:
      if (auto bytes = FixedBytes<sizeof(double)>(value->bytes)) {
        double v = 0.0;
        std::memcpy(&v, bytes->data(), sizeof v);
        result.SetReal(v);
        found = true;
      }
      break;
    case kStream:
      stream_ = value->bytes;
      result.SetString(stream_);
      result.type = lumi::DataType::Stream;
      result.object = &stream_;
      found = true;
      break;
  }
  return result;
}

void TElRegistry::Read(TData& data, uint16_t) {
  bool found = false;
  TData value = Query(data, found);
  if (OnlyExisting && !found) return;
  TailData(data, OnValue, value);
}

void TElRegistry::OutValue(TData& result, uint16_t) {
  bool found = false;
  TData value = Query(result, found);
  result = std::move(value);
}

void TElRegistry::Write(TData& data, uint16_t) {
  Text key = KeyPath(PullString(data, InKey, Key));
  Text name = PullString(data, InValueName, ValueName);
  platform::RegistryValue value;
  bool known = true;
  switch (DataType) {
    case kInteger: {
      int32_t v = PullInteger(data, InValue, TData::String(Default).AsInteger());
      value = {platform::RegistryType::DWord, DWordBytes(static_cast<uint32_t>(v))};
      break;
    }
    case kString: value = {platform::RegistryType::String, PullString(data, InValue, Default)}; break;
    case kReal: {
      double v = PullReal(data, InValue, TData::String(Default).AsReal());
      std::string bytes(sizeof v, '\0');
      std::memcpy(bytes.data(), &v, sizeof v);
      value = {platform::RegistryType::Binary, std::move(bytes)};
      break;
    }
    case kStream: {
      // A stream's bytes travel in its text; anything else is written as its text.
      TData fallback = Default.empty() ? TData() : TData::String(Default);
      TData v = PullData(data, InValue, &fallback);
      value = {platform::RegistryType::Binary, v.type == lumi::DataType::Stream ? v.text : v.AsString()};
      break;
    }
    default: known = false;
  }
  std::optional<platform::RegistryRoot> root = RootOf(Root);
  if (!known || !root || !platform::Current().registry->Set(*root, key, name, value))
    DebugMessage(kWriteFailed);
}

void TElRegistry::Delete(TData& data, uint16_t) {
  Text key = KeyPath(PullString(data, InKey, Key));
  Text name = PullString(data, InValueName, ValueName);
  if (std::optional<platform::RegistryRoot> root = RootOf(Root))
    platform::Current().registry->Delete(*root, key, name);
}

}  // namespace lumi
