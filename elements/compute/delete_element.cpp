#include "elements/compute/delete_element.h"

#include <algorithm>

namespace lumi {

void TElDelete::Cut(TData& data, uint16_t) {
  Text text = PullString(data, InText, Text());
  const int64_t position = PullInteger(data, InPosition, Position);
  const int64_t count = PullInteger(data, InCount, Count);
  const int64_t length = static_cast<int64_t>(text.size());
  if (position >= 1 && position <= length && count > 0) {
    const int64_t cut = std::min(count, length - position + 1);
    text.erase(static_cast<size_t>(position - 1), static_cast<size_t>(cut));
  }
  TailString(data, OnResult, text);
}

}  // namespace lumi
