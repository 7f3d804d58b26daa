#include "elements/device/str_list.h"

#include "platform/files.h"
#include "platform/services.h"

namespace lumi {

class TElStrList::LineArray final : public ArrayInterface {
 public:
  explicit LineArray(std::vector<Text>& lines) : lines_(lines) {}

  void Set(const TData& index, const TData& item) override {
    if (Text* line = At(index)) *line = item.AsString();
  }
  bool Get(const TData& index, TData& item) override {
    Text* line = At(index);
    if (line == nullptr) return false;
    item.SetString(*line);
    return true;
  }
  int32_t Count() override { return static_cast<int32_t>(lines_.size()); }
  void Add(const TData& item) override { lines_.push_back(item.AsString()); }

 private:
  Text* At(const TData& index) {
    const int32_t k = index.AsIndex();
    return k >= 0 && static_cast<size_t>(k) < lines_.size() ? &lines_[static_cast<size_t>(k)] : nullptr;
  }

  std::vector<Text>& lines_;
};

TElStrList::TElStrList() = default;
TElStrList::~TElStrList() = default;

void TElStrList::SetStrings(std::string_view text) {
  lines_.clear();
  text = text.substr(0, text.find('\0'));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\r', start);
    if (end == std::string_view::npos) {
      lines_.emplace_back(text.substr(start));
      break;
    }
    lines_.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (start < text.size() && text[start] == '\n') ++start;
  }
}

void TElStrList::SaveToFile(TData& data, uint16_t) {
  const Text name = PullString(data, InFileName, FileName);
  if (name.empty()) return;
  Text bytes;
  for (const Text& line : lines_) bytes.append(line).append("\r\n");
  platform::Current().files->Replace(name, bytes);
}

void TElStrList::OutArray(TData& data, uint16_t) {
  if (!array_) array_ = std::make_unique<LineArray>(lines_);
  data.SetArray(array_.get());
}

}  // namespace lumi
