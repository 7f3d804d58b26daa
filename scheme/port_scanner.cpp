#include "scheme/port_scanner.h"

#include "elements/compute/for_loop.h"
#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/memory.h"
#include "elements/compute/str_cat.h"
#include "elements/device/com.h"

namespace lumi {

PortScanner::PortScanner(TElement*) {
  TElEditMulti* edit = CreateEditMulti(1, 0);

  auto* ports = Create<TElFor>();
  ports->Start = 0;
  ports->End = 255;
  ports->Step = 1;
  ports->IncludeEnd = true;

  auto* probe_hub = Create<TElHub>();
  probe_hub->InCount = 1;
  probe_hub->SetOutCount(3);

  auto* com = Create<TElCOM>();
  com->Port = 0;
  com->Baud = 9600;
  com->Parity = 0;
  com->Timeout = 10;

  auto* greeting = Create<TElMemory>();
  greeting->SetDefault(TData::String("AT"));

  auto* line = Create<TElFormatStr>();
  line->Mask = "%1\r\n";
  line->SetCount(1);

  auto* port_name = Create<TElStrCat>();
  port_name->Str1 = "COM ";

  edit->OnWork[0] = Link<&TElFor::Run>(ports);
  ports->OnIteration = Link<&TElHub::Pass>(probe_hub);
  probe_hub->OnPass[0] = Link<&TElCOM::Open>(com);
  probe_hub->OnPass[1] = Link<&TElMemory::Clear>(greeting);
  probe_hub->OnPass[2] = Link<&TElCOM::Close>(com);
  com->InPort = Link<&TElFor::OutIndex>(ports);
  greeting->OnStore = Link<&TElFormatStr::Format>(line);
  line->OnFormat = Link<&TElCOM::Write>(com);
  // A write reports only on an open port, whatever it managed to write.
  com->OnWrite = Link<&TElStrCat::Concat>(port_name);
  port_name->InStr2 = Link<&TElFor::OutIndex>(ports);
  port_name->OnConcat = Link<&TElEditMulti::Raise>(edit, 0);
}

}  // namespace lumi
