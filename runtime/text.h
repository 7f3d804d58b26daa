#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "runtime/data.h"

namespace lumi {

// Positions count from 1, as the elements speak of them; 0 means "not found".

// The first position >= start at which `pattern` occurs in `text`.
size_t PosFrom(std::string_view pattern, std::string_view text, size_t start);

// Decides whether the match at a position (from 1) of the text as it now stands is
// replaced.
using ReplaceFilter = std::function<bool(const Text& text, size_t position)>;

// Replaces every occurrence of `pattern`; inserted text is never searched again in the
// same call. An empty pattern is never found.
void Replace(Text& text, std::string_view pattern, std::string_view replacement,
             const ReplaceFilter& filter = nullptr);

}  // namespace lumi
