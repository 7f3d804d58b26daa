#include "elements/sensors/hard_disk.h"

#include <optional>

#include "elements/sensors/count_value.h"
#include "platform/sensors.h"
#include "platform/services.h"

namespace lumi {

void TElHardDisk::Enum(TData&, uint16_t) {
  platform::Drives* drives = platform::Current().drives;
  // One mask for the whole pass, so that a drive coming or going midway cannot make
  // the list inconsistent.
  uint32_t mask = drives->PresentMask();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (1u << i)) == 0) continue;
    char letter = static_cast<char>('A' + i);
    TData chain = TData::String(Text(1, letter));
    AppendChain(chain, TData::Integer(static_cast<int32_t>(drives->TypeOf(letter))));
    Fire(OnDrive, chain);
  }
}

void TElHardDisk::Deliver(TData& data, Amount amount) {
  Text drive = PullString(data, InDrive, Drive);
  if (drive.size() == 1) drive += ':';
  std::optional<platform::DriveSpace> space = platform::Current().drives->SpaceOf(drive);
  uint64_t divisor = UnitDivisor(Unit);
  if (!space || divisor == 0) {
    data.SetInteger(0);
    return;
  }
  uint64_t free = space->free_bytes <= space->total_bytes ? space->free_bytes : space->total_bytes;
  uint64_t bytes = amount == Amount::Free    ? free
                   : amount == Amount::Total ? space->total_bytes
                                             : space->total_bytes - free;
  SetCount(data, bytes / 1024 / divisor);
}

void TElHardDisk::OutFree(TData& data, uint16_t) { Deliver(data, Amount::Free); }
void TElHardDisk::OutTotal(TData& data, uint16_t) { Deliver(data, Amount::Total); }
void TElHardDisk::OutUsed(TData& data, uint16_t) { Deliver(data, Amount::Used); }

}  // namespace lumi
