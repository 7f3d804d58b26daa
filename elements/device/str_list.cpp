#include "elements/compute/str_list.h"

#include <filesystem>
#include <fstream>
#include <system_error>

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

namespace {

namespace fs = std::filesystem;

// A name beside `target` that no file has yet.
bool FreeTempName(const fs::path& target, fs::path& temp) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target;
    temp += ".~" + std::to_string(++counter) + ".tmp";
    std::error_code ec;
    if (fs::symlink_status(temp, ec).type() == fs::file_type::not_found) return true;
  }
  return false;
}

bool WriteLines(const fs::path& path, const std::vector<Text>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const Text& line : lines) {
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write("\r\n", 2);
  }
  out.close();
  return !out.fail();
}

}  // namespace

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
  std::error_code ec;
  fs::path target(name);
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (ec) return;
    target = resolved;
  }
  fs::path temp;
  if (!FreeTempName(target, temp)) return;
  if (!WriteLines(temp, lines_)) {
    fs::remove(temp, ec);
    return;
  }
  // The replacement keeps the permissions of the file it replaces.
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::is_regular_file(old)) fs::permissions(temp, old.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) fs::remove(temp, ec);
}

void TElStrList::OutArray(TData& data, uint16_t) {
  if (!array_) array_ = std::make_unique<LineArray>(lines_);
  data.SetArray(array_.get());
}

}  // namespace lumi
