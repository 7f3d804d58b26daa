#include "elements/compute/format_str.h"

#include <algorithm>
#include <utility>

#include "runtime/text.h"

namespace lumi {
namespace {

// Stand-ins while the placeholders are filled: "%%" must not be read as the start of a
// placeholder, and every inserted value is fenced off from a placeholder just before it
// ("%2" followed by an inserted "5" must not read as "%25").
constexpr char kPercent = '\0';
constexpr char kFence = '\1';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "%k" into `key` (room for "%65535"); answers its length.
size_t MakeKey(char (&key)[8], unsigned k) {
  char digits[6];
  size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + k % 10);
    k /= 10;
  } while (k > 0);
  size_t length = 0;
  key[length++] = '%';
  while (n > 0) key[length++] = digits[--n];
  return length;
}

}  // namespace

void TElFormatStr::SetCount(uint16_t count) {
  Count = count;
  InStr.Resize(count);
}

void TElFormatStr::Format(TData& data, uint16_t) {
  // Taken out of the members for the duration, so that a provider that re-enters this
  // element works on buffers of its own.
  Text text = std::move(work_);
  Text insert = std::move(insert_);
  text.assign(Mask);

  Replace(text, "%%", std::string_view(&kPercent, 1));

  char key[8];
  size_t key_length = 0;
  // The match is replaced only when no digit follows it (the end counts as a non-digit).
  const ReplaceFilter not_before_digit = [&key_length](const Text& t, size_t position) {
    size_t after = position - 1 + key_length;
    return after >= t.size() || !IsDigit(t[after]);
  };
  for (unsigned k = 1; k <= Count; ++k) {
    key_length = MakeKey(key, k);
    Text value = PullString(data, InStr.Get(k - 1), Text());
    insert.assign(1, kFence);
    insert += value;
    Replace(text, std::string_view(key, key_length), insert, not_before_digit);
  }

  // Equal to replacing every fence by nothing and every stand-in by "%", one byte at a
  // time, in place.
  if (text.find(kFence) != Text::npos) std::erase(text, kFence);
  std::replace(text.begin(), text.end(), kPercent, '%');

  result_ = text;
  work_ = std::move(text);
  insert_ = std::move(insert);
  TailString(data, OnFormat, result_);
}

void TElFormatStr::OutResult(TData& data, uint16_t) { data.SetString(result_); }

}  // namespace lumi
