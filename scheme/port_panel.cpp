#include "scheme/port_panel.h"

#include "elements/compute/case_element.h"
#include "elements/compute/do_data.h"
#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/math.h"
#include "elements/compute/memory.h"
#include "elements/device/com.h"
#include "elements/device/delete_element.h"
#include "elements/device/ini.h"
#include "elements/window/combo_box.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/multi_element.h"
#include "scheme/building.h"
#include "scheme/port_scanner.h"
#include "scheme/texts.h"

namespace lumi {

TClassChildGroupBox_E10834::TClassChildGroupBox_E10834(TElement* parent) {
  box_ = Create<TElGroupBox>(static_cast<TElWin*>(parent));
  Place(box_, 6, 518, 299, 36);
  box_->Init();

  TElEditMulti* edit = CreateEditMulti(5, 0);

  // Which port the frames go to, or that there is none, said where a person looks: the
  // port list's hint and, through OnEvent[1], the tray icon's tip.
  auto* status_check = Create<TElIf_else>();
  status_check->Type = TElIf_else::kEqual;
  status_check->Op2 = TData::Integer(-1);
  auto* no_port = Create<TElMemory>();
  no_port->SetDefault(TData::String(W("порт не найден")));
  auto* port_in_use = Create<TElDoData>();
  auto* status_hub = SetUpHub(Create<TElHub>(), 2);
  auto* port_hint = Create<TElFormatStr>();
  port_hint->SetCount(1);
  port_hint->Mask = W("Имя порта: %1");

  auto* port_label = Create<TElLabel>(box_);
  Place(port_label, 4, 13, 27, 17);
  port_label->Caption = W("Порт:");
  port_label->Init();

  port_list_ = Create<TElComboBox>(box_);
  Place(port_list_, 33, 10, 69, 21);
  port_list_->Hint = W("Имя порта");
  port_list_->Init();

  auto* speed_label = Create<TElLabel>(box_);
  Place(speed_label, 104, 13, 50, 17);
  speed_label->Caption = W("Скорость:");
  speed_label->Init();

  speed_list_ = Create<TElComboBox>(box_);
  Place(speed_list_, 157, 10, 59, 21);
  speed_list_->Hint = W("Скорость передачи данных (бит/с.)");
  speed_list_->Strings =
      "75\r\n110\r\n134\r\n150\r\n300\r\n600\r\n1200\r\n1800\r\n2400\r\n4800\r\n7200\r\n9600\r\n14400\r\n"
      "19200\r\n38400\r\n57600\r\n115200\r\n";
  speed_list_->Init();

  auto* pause_label = Create<TElLabel>(box_);
  Place(pause_label, 219, 13, 33, 17);
  pause_label->Caption = W("Пауза:");
  pause_label->Init();

  pause_list_ = Create<TElComboBox>(box_);
  Place(pause_list_, 255, 10, 40, 21);
  pause_list_->Hint = W("Пауза между сеансами передачи данных (сек.)");
  pause_list_->Strings =
      "0.2\r\n0.3\r\n0.4\r\n0.5\r\n0.6\r\n0.7\r\n0.8\r\n0.9\r\n1\r\n1.5\r\n2\r\n2.5\r\n3\r\n3.5\r\n4\r\n";
  pause_list_->Init();

  com_ = Create<TElCOM>();
  com_->Port = 0;
  com_->Baud = 9600;
  com_->Parity = 0;
  com_->Timeout = 10;

  auto* cutter = Create<TElDelete>();
  cutter->Position = 1;
  cutter->Count = 4;

  auto* port_number = Create<TElMemory>();

  auto* port_key = Create<TElini>();
  port_key->Section = "Main";
  port_key->Key = "Port";
  port_key->ValueType = 1;

  auto* speed_key = Create<TElini>();
  speed_key->Section = "Main";
  speed_key->Key = "BaudRade";
  speed_key->ValueType = 1;

  auto* pause_key = Create<TElini>();
  pause_key->Section = "Main";
  pause_key->Key = "Pause";
  pause_key->ValueType = 1;

  // The pause check: 0 picks the shortest pause, a text above "4" the longest, and a
  // value the list does not hold the default pause, so the cycle always runs at one of
  // the listed intervals and never at 0 ms.
  auto* zero_pause = Create<TElCase>();
  zero_pause->Value = TData::Integer(0);
  zero_pause->DataOnMatch = TData::Integer(0);

  auto* long_pause = Create<TElIf_else>();
  long_pause->Type = 2;
  long_pause->Op2 = TData::Integer(4);

  auto* longest_pause = Create<TElMemory>();
  longest_pause->SetDefault(TData::Integer(4));

  auto* unlisted_pause = Create<TElIf_else>();
  unlisted_pause->Type = 1;
  unlisted_pause->Op2 = TData::Integer(0);

  auto* default_pause = Create<TElMemory>();
  default_pause->SetDefault(TData::String("1"));

  auto* interval = Create<TElMath>();
  interval->OpType = 2;
  interval->Op2 = 1000.0;
  interval->ResultType = 0;

  auto* scanner = Create<TElMultiElement>();
  scanner->parent = box_;
  scanner->CreateOnDemand = false;
  scanner->SetCreator(CreatorOf<TClassMultiElement_E0E400>());
  scanner->OnEvent.Resize(1);

  auto* port_hub = SetUpHub(Create<TElHub>(), 3);
  auto* pause_hub = SetUpHub(Create<TElHub>(), 3);
  auto* send_hub = SetUpHub(Create<TElHub>(), 2);
  auto* port_pick_hub = SetUpHub(Create<TElHub>(), 5);
  auto* speed_pick_hub = SetUpHub(Create<TElHub>(), 3);
  auto* pause_pick_hub = SetUpHub(Create<TElHub>(), 2);

  // Start-up: scan, then the three keys.
  edit->OnWork[0] = Link<&TElMultiElement::Work>(scanner, 0);
  scanner->OnEvent[0] = Link<&TElComboBox::Add>(port_list_);
  edit->OnWork[1] = Link<&TElini::Read>(port_key);
  port_key->OnValue = Link<&TElHub::Pass>(port_hub);
  port_hub->OnPass[0] = Link<&TElComboBox::SelectText>(port_list_);
  port_hub->OnPass[1] = Link<&TElDelete::Cut>(cutter);
  port_hub->OnPass[2] = Link<&TElIf_else::Compare>(status_check);
  edit->OnWork[2] = Link<&TElini::Read>(speed_key);
  speed_key->OnValue = Link<&TElComboBox::SelectText>(speed_list_);
  edit->OnWork[3] = Link<&TElini::Read>(pause_key);
  pause_key->OnValue = Link<&TElHub::Pass>(pause_hub);
  pause_hub->OnPass[0] = Link<&TElCase::Test>(zero_pause);
  pause_hub->OnPass[1] = Link<&TElIf_else::Compare>(unlisted_pause);
  pause_hub->OnPass[2] = Link<&TElMath::Calc>(interval);
  zero_pause->OnMatch = Link<&TElComboBox::SelectIndex>(pause_list_);
  zero_pause->OnNext = Link<&TElIf_else::Compare>(long_pause);
  long_pause->OnTrue = Link<&TElMemory::Clear>(longest_pause);
  long_pause->OnFalse = Link<&TElComboBox::SelectText>(pause_list_);
  longest_pause->OnStore = Link<&TElComboBox::SelectText>(pause_list_);
  unlisted_pause->InOp1 = Link<&TElComboBox::OutIndex>(pause_list_);
  unlisted_pause->OnTrue = Link<&TElMemory::Clear>(default_pause);
  default_pause->OnStore = Link<&TElComboBox::SelectText>(pause_list_);

  // Sending a byte.
  edit->OnWork[4] = Link<&TElHub::Pass>(send_hub);
  send_hub->OnPass[0] = Link<&TElCOM::Open>(com_);
  send_hub->OnPass[1] = Link<&TElCOM::Write>(com_);
  com_->InPort = Link<&TElMemory::OutValue>(port_number);
  com_->InBaud = Link<&TElComboBox::OutText>(speed_list_);

  // The user picks a list item.
  port_list_->OnChange = Link<&TElHub::Pass>(port_pick_hub);
  port_pick_hub->OnPass[0] = Link<&TElini::Write>(port_key);
  port_pick_hub->OnPass[1] = Link<&TElDelete::Cut>(cutter);
  port_pick_hub->OnPass[2] = Link<&TElCOM::Close>(com_);
  port_pick_hub->OnPass[3] = Link<&TElCOM::Open>(com_);
  port_pick_hub->OnPass[4] = Link<&TElIf_else::Compare>(status_check);
  status_check->InOp1 = Link<&TElComboBox::OutIndex>(port_list_);
  status_check->OnTrue = Link<&TElMemory::Clear>(no_port);
  status_check->OnFalse = Link<&TElDoData::Send>(port_in_use);
  port_in_use->InData = Link<&TElComboBox::OutText>(port_list_);
  no_port->OnStore = Link<&TElHub::Pass>(status_hub);
  port_in_use->OnSend = Link<&TElHub::Pass>(status_hub);
  status_hub->OnPass[0] = Link<&TElFormatStr::Format>(port_hint);
  status_hub->OnPass[1] = Link<&TElEditMulti::Raise>(edit, 1);
  port_hint->OnFormat = Link<&TElWin::SetHint>(port_list_);
  speed_list_->OnChange = Link<&TElHub::Pass>(speed_pick_hub);
  speed_pick_hub->OnPass[0] = Link<&TElini::Write>(speed_key);
  speed_pick_hub->OnPass[1] = Link<&TElCOM::Close>(com_);
  speed_pick_hub->OnPass[2] = Link<&TElCOM::Open>(com_);
  pause_list_->OnChange = Link<&TElHub::Pass>(pause_pick_hub);
  pause_pick_hub->OnPass[0] = Link<&TElini::Write>(pause_key);
  pause_pick_hub->OnPass[1] = Link<&TElMath::Calc>(interval);

  // Values the pieces read.
  cutter->InText = Link<&TElComboBox::OutText>(port_list_);
  cutter->OnResult = Link<&TElMemory::Store>(port_number);
  port_key->InFileName = Link<&TElEditMulti::OutData>(edit, 0);
  port_key->InValue = Link<&TElComboBox::OutText>(port_list_);
  speed_key->InFileName = Link<&TElEditMulti::OutData>(edit, 0);
  speed_key->InValue = Link<&TElComboBox::OutText>(speed_list_);
  pause_key->InFileName = Link<&TElEditMulti::OutData>(edit, 0);
  pause_key->InValue = Link<&TElComboBox::OutText>(pause_list_);
  interval->InOp1 = Link<&TElComboBox::OutText>(pause_list_);
  interval->OnResult = Link<&TElEditMulti::Raise>(edit, 0);
}

}  // namespace lumi
