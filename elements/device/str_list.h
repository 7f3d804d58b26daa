#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// A list of text lines, handed out as an Array and saved to a file.
class TElStrList : public TElement {
 public:
  Text FileName;  // default of InFileName
  TEl_Event InFileName;

  TElStrList();
  ~TElStrList() override;

  // Loads the initial lines: a line ends at each CR, a LF right after it is skipped and
  // the text ends at its first NUL byte (as a resource text does). A final CR does not
  // start another line, so a list saved by SaveToFile and loaded again is unchanged.
  void SetStrings(std::string_view text);

  // Writes every line followed by CR LF, through the platform's file service: the file
  // is replaced as a whole, so a failure midway never leaves half a file, a file that
  // cannot be written stays as it was, and nothing else happens. A link is followed,
  // so the file it points to is the one replaced (or created).
  void SaveToFile(TData& data, uint16_t index);

  // An Array over the lines; the interface belongs to this element.
  void OutArray(TData& data, uint16_t index);

  const std::vector<Text>& Lines() const { return lines_; }

 private:
  class LineArray;

  std::vector<Text> lines_;
  std::unique_ptr<LineArray> array_;
};

}  // namespace lumi
