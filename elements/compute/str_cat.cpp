#include "elements/compute/str_cat.h"

#include <utility>

namespace lumi {

void TElStrCat::Concat(TData& data, uint16_t) {
  Text first = PullString(data, InStr1, Str1);
  Text second = PullString(data, InStr2, Str2);
  result_ = std::move(first);
  result_ += second;
  TailString(data, OnConcat, result_);
}

}  // namespace lumi
