#include "scheme/mode_geometry.h"

#include <array>

#include "elements/compute/hub.h"
#include "elements/compute/memory.h"

namespace lumi {

namespace {

// Per mode (setup, work): window width and height, button-frame width and height.
constexpr std::array<std::array<int32_t, 4>, 2> kSizes = {{{554, 614, 311, 112}, {287, 544, 280, 42}}};

}  // namespace

ModeGeometry::ModeGeometry(TElement*) {
  TElEditMulti* edit = CreateEditMulti(2, 0);

  std::array<TElHub*, 2> hubs{};
  std::array<std::array<TElMemory*, 4>, 2> sizes{};
  for (size_t mode = 0; mode < 2; ++mode) {
    hubs[mode] = Create<TElHub>();
    hubs[mode]->InCount = 1;
    hubs[mode]->SetOutCount(4);
    for (size_t k = 0; k < 4; ++k) {
      sizes[mode][k] = Create<TElMemory>();
      sizes[mode][k]->SetDefault(TData::Integer(kSizes[mode][k]));
    }
  }

  for (size_t mode = 0; mode < 2; ++mode) {
    edit->OnWork[mode] = Link<&TElHub::Pass>(hubs[mode]);
    for (size_t k = 0; k < 4; ++k) {
      hubs[mode]->OnPass[k] = Link<&TElMemory::Clear>(sizes[mode][k]);
      sizes[mode][k]->OnStore = Link<&TElEditMulti::Raise>(edit, static_cast<uint16_t>(k));
    }
  }
}

}  // namespace lumi
