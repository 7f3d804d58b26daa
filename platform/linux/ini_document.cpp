#include "platform/linux/ini_document.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "runtime/cp1251.h"

namespace lumi::platform::linux_backend {

namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
  // Windows-1251: А..Я are 0xC0..0xDF, а..я 0xE0..0xFF; Ё is 0xA8, ё 0xB8.
  for (int c = 0xC0; c <= 0xDF; ++c) table[c] = static_cast<unsigned char>(c + 32);
  table[0xA8] = 0xB8;
  return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\r'; }

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
  return folded;
}

std::string FoldUtf8Name(std::string_view name) {
  std::string folded(name);
  for (size_t i = 0; i < folded.size(); ++i) {
    const auto c = static_cast<unsigned char>(folded[i]);
    if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c + 32);
      continue;
    }
    if (c != 0xD0 || i + 1 == folded.size()) continue;
    // А..П are D0 90..9F, а..п D0 B0..BF; Р..Я are D0 A0..AF, р..я D1 80..8F; Ё is
    // D0 81, ё D1 91.
    const auto next = static_cast<unsigned char>(folded[i + 1]);
    if (next >= 0x90 && next <= 0x9F) {
      folded[++i] = static_cast<char>(next + 0x20);
    } else if (next >= 0xA0 && next <= 0xAF) {
      folded[i] = static_cast<char>(0xD1);
      folded[++i] = static_cast<char>(next - 0x20);
    } else if (next == 0x81) {
      folded[i] = static_cast<char>(0xD1);
      folded[++i] = static_cast<char>(0x91);
    }
  }
  return folded;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

int32_t ParseProfileInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  uint32_t value = 0;
  // Windows reads "0x10" as 16 (and nothing else but decimal).
  if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
    for (i += 2; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
      value = value * 16u + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
  } else {
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

IniDocument::Encoding IniDocument::EncodingOf(std::string_view bytes) {
  return !IsAscii(bytes) && cp1251::IsUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1251;
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)), encoding_(EncodingOf(bytes_)) {
  Parse();
}

IniDocument::IniDocument(std::string bytes, Encoding encoding)
    : bytes_(std::move(bytes)), encoding_(encoding) {
  Parse();
}

std::string IniDocument::Fold(std::string_view name) const {
  return encoding_ == Encoding::Utf8 ? FoldUtf8Name(name) : FoldName(name);
}

std::string IniDocument::Stored(std::string_view text) const {
  return encoding_ == Encoding::Utf8 ? cp1251::ToUtf8(text) : std::string(text);
}

std::string IniDocument::Read(std::string_view stored) const {
  return encoding_ == Encoding::Utf8 ? cp1251::FromUtf8(stored) : std::string(stored);
}

void IniDocument::Parse() {
  const char* data = bytes_.data();
  const size_t size = bytes_.size();
  if (std::string_view(bytes_).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    content_start_ = kByteOrderMark.size();
  }
  constexpr size_t kNoSection = static_cast<size_t>(-1);
  size_t current = kNoSection;

  size_t pos = content_start_;
  while (pos < size) {
    // memchr, not a C-string search: a NUL byte is just another byte of the line.
    const void* found = std::memchr(data + pos, '\n', size - pos);
    const size_t text_end =
        found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
    const size_t line_start = pos;
    const size_t line_end = found != nullptr ? text_end + 1 : size;
    pos = line_end;

    size_t b = line_start;
    size_t e = text_end;
    while (b < e && IsBlank(data[b])) ++b;
    while (e > b && IsBlank(data[e - 1])) --e;
    if (b == e || data[b] == ';') continue;

    if (data[b] == '[') {
      const void* close = std::memchr(data + b + 1, ']', e - b - 1);
      if (close == nullptr) continue;  // not a header, not a key: ignored
      const size_t name_end = static_cast<size_t>(static_cast<const char*>(close) - data);
      const std::string_view whole(bytes_);
      const std::string_view name = TrimBlanks(whole.substr(b + 1, name_end - b - 1));
      const Span span{static_cast<size_t>(name.data() - data), name.size()};
      auto [it, inserted] = section_index_.emplace(Fold(name), sections_.size());
      if (!inserted) {
        // A repeated section is invisible, its keys with it.
        current = kNoSection;
        continue;
      }
      current = sections_.size();
      Section& section = sections_.emplace_back();
      section.name = span;
      section.insert_at = line_end;
      section.insert_after_line_end = found != nullptr;
      continue;
    }

    const void* equals = std::memchr(data + b, '=', e - b);
    if (equals == nullptr || current == kNoSection) continue;
    const size_t eq = static_cast<size_t>(static_cast<const char*>(equals) - data);
    const std::string_view whole(bytes_);
    const std::string_view name = TrimBlanks(whole.substr(b, eq - b));
    const std::string_view value = Unquote(TrimBlanks(whole.substr(eq + 1, e - eq - 1)));

    Section& section = sections_[current];
    section.insert_at = line_end;
    section.insert_after_line_end = found != nullptr;
    auto [it, inserted] = section.key_index.emplace(Fold(name), section.keys.size());
    if (!inserted) continue;
    Key& key = section.keys.emplace_back();
    key.name = Span{static_cast<size_t>(name.data() - data), name.size()};
    key.value = Span{static_cast<size_t>(value.data() - data), value.size()};
    key.line_start = line_start;
    key.line_end = line_end;
  }
}

const IniDocument::Section* IniDocument::FindStoredSection(std::string_view section) const {
  auto it = section_index_.find(Fold(section));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const Section* found = FindStoredSection(Stored(TrimBlanks(section)));
  if (found == nullptr) return std::nullopt;
  auto it = found->key_index.find(Fold(Stored(TrimBlanks(key))));
  if (it == found->key_index.end()) return std::nullopt;
  return Read(View(found->keys[it->second].value));
}

IniDocument::Edit IniDocument::With(std::string_view section_name, std::string_view key_name,
                                    std::string_view value) const {
  section_name = TrimBlanks(section_name);
  key_name = TrimBlanks(key_name);
  if (HasLineBreak(section_name) || HasLineBreak(key_name) || HasLineBreak(value) ||
      section_name.find(']') != std::string_view::npos || key_name.find('=') != std::string_view::npos ||
      (!key_name.empty() && (key_name.front() == ';' || key_name.front() == '['))) {
    return {Outcome::Rejected, {}};
  }
  Edit edit = WithStored(Stored(section_name), Stored(key_name), Stored(value));
  // Windows-1251 bytes can happen to form UTF-8, and the file would then read as UTF-8
  // and answer something else than was written. A file of plain ASCII becomes UTF-8
  // instead; in one with other Windows-1251 text that would change how that text
  // reads, so the write is refused.
  if (encoding_ == Encoding::Windows1251 && edit.outcome == Outcome::Changed &&
      EncodingOf(edit.bytes) == Encoding::Utf8) {
    if (!IsAscii(bytes_)) return {Outcome::Rejected, {}};
    return IniDocument(bytes_, Encoding::Utf8).With(section_name, key_name, value);
  }
  return edit;
}

IniDocument::Edit IniDocument::WithStored(std::string_view section_name, std::string_view key_name,
                                          std::string_view value) const {
  const std::string_view whole(bytes_);
  std::string out;
  const Section* section = FindStoredSection(section_name);
  if (section == nullptr) {
    out.reserve(bytes_.size() + section_name.size() + key_name.size() + value.size() + 8);
    out = bytes_;
    if (out.size() > content_start_ && out.back() != '\n') out += kLineEnd;
    out.append("[").append(section_name).append("]").append(kLineEnd);
    out.append(key_name).append("=").append(value).append(kLineEnd);
    return {Outcome::Changed, std::move(out)};
  }

  auto it = section->key_index.find(Fold(key_name));
  if (it != section->key_index.end()) {
    const Key& key = section->keys[it->second];
    // Compared as read: a character that Windows-1251 lacks reads as "?", and writing
    // back what was read must not put the "?" into the file.
    if (Read(View(key.value)) == Read(value)) return {Outcome::Unchanged, {}};
    // The key keeps the spelling it has in the file.
    out.reserve(bytes_.size() + value.size() + 4);
    out.append(whole.substr(0, key.line_start));
    out.append(View(key.name)).append("=").append(value).append(kLineEnd);
    out.append(whole.substr(key.line_end));
    return {Outcome::Changed, std::move(out)};
  }

  out.reserve(bytes_.size() + key_name.size() + value.size() + 6);
  out.append(whole.substr(0, section->insert_at));
  if (!section->insert_after_line_end) out += kLineEnd;
  out.append(key_name).append("=").append(value).append(kLineEnd);
  out.append(whole.substr(section->insert_at));
  return {Outcome::Changed, std::move(out)};
}

void IniDocument::ForEach(const std::function<void(std::string_view section, std::string_view key,
                                                   std::string_view value)>& visit) const {
  for (const Section& section : sections_) {
    for (const Key& key : section.keys) {
      if (encoding_ == Encoding::Utf8) {
        visit(Read(View(section.name)), Read(View(key.name)), Read(View(key.value)));
      } else {
        visit(View(section.name), View(key.name), View(key.value));
      }
    }
  }
}

}  // namespace lumi::platform::linux_backend
