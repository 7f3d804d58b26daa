#include "scheme/port_panel.h"

#include "elements/compute/convertor.h"
#include "elements/compute/do_data.h"
#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/index_to_chanel.h"
#include "elements/compute/math.h"
#include "elements/compute/math_parse.h"
#include "elements/compute/memory.h"
#include "elements/device/application.h"
#include "elements/device/com.h"
#include "elements/device/ini.h"
#include "elements/window/combo_box.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/multi_element.h"
#include "scheme/building.h"
#include "scheme/port_scanner.h"
#include "scheme/texts.h"

namespace lumi {
namespace {

TElIf_else* Check(TElIf_else* check, uint8_t type, TData operand) {
  check->Type = type;
  check->Op2 = std::move(operand);
  return check;
}

TElMemory* Remembered(TElMemory* memory, TData value) {
  memory->SetDefault(std::move(value));
  return memory;
}

TElDoData* Constant(TElDoData* constant, TData value) {
  constant->Data = std::move(value);
  return constant;
}

TElFormatStr* Mask(TElFormatStr* format, const char* mask, int32_t count) {
  format->Mask = W(mask);
  format->SetCount(count);
  return format;
}

TElMathParse* Expression(TElMathParse* math, const char* expression) {
  math->SetArgCount(1);
  math->MathStr = expression;
  math->ResultType = 1;  // reals: pauses have tenths
  return math;
}

TElini* MainKey(TElini* key, const char* name) {
  key->Section = "Main";
  key->Key = name;
  key->ValueType = 1;
  return key;
}

TElLabel* Caption(TElLabel* label, const char* caption) {
  label->Caption = W(caption);
  label->Init();
  return label;
}

TElComboBox* List(TElComboBox* list, const char* hint, const char* items) {
  list->Hint = W(hint);
  list->Strings = items;
  list->Init();
  return list;
}

}  // namespace

PortPanel::PortPanel(TElement* parent) {
  box_ = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 6, 518, 299, 36);
  box_->Init();

  TElEditMulti* edit = CreateEditMulti(6, 0);

  Caption(Place(Create<TElLabel>(box_), 4, 13, 27, 17), "Порт:");
  port_list_ = List(Place(Create<TElComboBox>(box_), 33, 10, 69, 21), "Имя порта", "");
  Caption(Place(Create<TElLabel>(box_), 104, 13, 50, 17), "Скорость:");
  speed_list_ =
      List(Place(Create<TElComboBox>(box_), 157, 10, 59, 21), "Скорость передачи данных (бит/с.)",
           "75\r\n110\r\n134\r\n150\r\n300\r\n600\r\n1200\r\n1800\r\n2400\r\n4800\r\n7200\r\n9600\r\n"
           "14400\r\n19200\r\n38400\r\n57600\r\n115200\r\n");
  Caption(Place(Create<TElLabel>(box_), 219, 13, 33, 17), "Пауза:");
  pause_list_ = List(
      Place(Create<TElComboBox>(box_), 255, 10, 40, 21), "Пауза между сеансами передачи данных (сек.)",
      "0.2\r\n0.3\r\n0.4\r\n0.5\r\n0.6\r\n0.7\r\n0.8\r\n0.9\r\n1\r\n1.5\r\n2\r\n2.5\r\n3\r\n3.5\r\n4\r\n");

  com_ = Create<TElCOM>();
  com_->Port = 0;
  com_->Baud = 9600;
  com_->Parity = 0;
  com_->Timeout = 10;

  auto* scanner = Create<TElMultiElement>();
  scanner->parent = box_;
  scanner->CreateOnDemand = false;
  scanner->SetCreator(CreatorOf<PortScanner>());
  scanner->OnEvent.Resize(1);

  TElini* port_key = MainKey(Create<TElini>(), "Port");
  TElini* speed_key = MainKey(Create<TElini>(), "BaudRade");
  TElini* pause_key = MainKey(Create<TElini>(), "Pause");
  for (TElini* key : {port_key, speed_key, pause_key})
    key->InFileName = Link<&TElEditMulti::OutData>(edit, 0);

  // ---- What a person is told: a setting that cannot work is said once (a line on
  // stderr without a window) and stays in the port list's hint and, through
  // OnEvent[1], in the tray icon's tip, after the port in use, until a list is used. ----
  auto* application = Create<TElApplication>();
  auto* problem = Remembered(Create<TElMemory>(), TData::String(""));
  auto* problem_suffix = Mask(Create<TElFormatStr>(), "; %1", 1);
  auto* port_state = Remembered(Create<TElMemory>(), TData::String(""));
  auto* status = Mask(Create<TElFormatStr>(), "%1%2", 2);
  auto* port_hint = Mask(Create<TElFormatStr>(), "Имя порта: %1", 1);
  TElHub* status_hub = SetUpHub(Create<TElHub>(), 2);

  edit->OnWork[5] = Link<&TElApplication::Notice>(application);
  application->OnNotice = Link<&TElFormatStr::Format>(problem_suffix);
  problem_suffix->OnFormat = Link<&TElMemory::Store>(problem);
  problem->OnStore = Link<&TElFormatStr::Format>(status);
  port_state->OnStore = Link<&TElFormatStr::Format>(status);
  status->InStr[0] = Link<&TElMemory::OutValue>(port_state);
  status->InStr[1] = Link<&TElMemory::OutValue>(problem);
  status->OnFormat = Link<&TElHub::Pass>(status_hub);
  status_hub->OnPass[0] = Link<&TElFormatStr::Format>(port_hint);
  status_hub->OnPass[1] = Link<&TElEditMulti::Raise>(edit, 1);
  port_hint->OnFormat = Link<&TElWin::SetHint>(port_list_);

  // ---- The port: the name stored (COM1, COM 01 and COM  1 alike), or COM 1 when it
  // names no port. It stays the chosen port while it is not there, shown in the list
  // as stored: every byte tries to open it again, so a unit plugged in later is used
  // within a cycle. ----
  auto* stored_port = Create<TElMemory>();
  auto* port_name = Create<TElConvertor>();
  port_name->Mode = TElConvertor::kNumberAfterPrefix;
  port_name->Prefix = "COM";
  auto* lowest_port = Check(Create<TElIf_else>(), TElIf_else::kAtLeast, TData::Integer(1));
  auto* highest_port = Check(Create<TElIf_else>(), TElIf_else::kAtMost, TData::Integer(255));
  auto* no_port_stored = Check(Create<TElIf_else>(), TElIf_else::kEqual, TData::String(""));
  auto* bad_port = Mask(Create<TElFormatStr>(), "Порт «%1» из файла настроек не понят, взят COM 1", 1);
  auto* missing_port = Remembered(Create<TElMemory>(),
                                  TData::String(W("В файле настроек нет порта ([Main] Port), взят COM 1")));
  auto* default_port = Remembered(Create<TElMemory>(), TData::Integer(1));
  auto* port_number = Create<TElMemory>();
  auto* canonical_port = Mask(Create<TElFormatStr>(), "COM %1", 1);
  auto* port_text = Create<TElMemory>();
  auto* unlisted_port = Check(Create<TElIf_else>(), TElIf_else::kEqual, TData::Integer(-1));
  auto* absent = Constant(Create<TElDoData>(), TData::Integer(0));
  auto* present = Constant(Create<TElDoData>(), TData::Integer(1));
  auto* found = Create<TElMemory>();
  auto* state_router = Create<TElIndexToChanel>();
  state_router->SetCount(2);
  auto* absent_port = Mask(Create<TElFormatStr>(), "%1 не найден", 1);
  auto* current_port = Create<TElDoData>();
  auto* picked_port = Create<TElDoData>();
  TElHub* bad_port_hub = SetUpHub(Create<TElHub>(), 2, 2);
  TElHub* missing_port_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* chosen_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* show_hub = SetUpHub(Create<TElHub>(), 3);
  TElHub* absent_hub = SetUpHub(Create<TElHub>(), 3);
  TElHub* rescan_hub = SetUpHub(Create<TElHub>(), 3);
  TElHub* port_pick_hub = SetUpHub(Create<TElHub>(), 5);

  edit->OnWork[0] = Link<&TElMultiElement::Work>(scanner, 0);
  scanner->OnEvent[0] = Link<&TElComboBox::Add>(port_list_);
  edit->OnWork[1] = Link<&TElini::Read>(port_key);
  port_key->OnValue = Link<&TElMemory::Store>(stored_port);
  stored_port->OnStore = Link<&TElConvertor::Convert>(port_name);
  port_name->OnResult = Link<&TElIf_else::Compare>(lowest_port);
  lowest_port->OnTrue = Link<&TElIf_else::Compare>(highest_port);
  lowest_port->OnFalse = Link<&TElHub::Pass>(bad_port_hub, 0);
  highest_port->OnTrue = Link<&TElHub::Pass>(chosen_hub);
  highest_port->OnFalse = Link<&TElHub::Pass>(bad_port_hub, 0);
  port_name->OnError = Link<&TElIf_else::Compare>(no_port_stored);
  no_port_stored->OnTrue = Link<&TElHub::Pass>(missing_port_hub);
  no_port_stored->OnFalse = Link<&TElHub::Pass>(bad_port_hub, 1);
  bad_port_hub->OnPass[0] = Link<&TElFormatStr::Format>(bad_port);
  bad_port_hub->OnPass[1] = Link<&TElMemory::Clear>(default_port);
  bad_port->InStr[0] = Link<&TElMemory::OutValue>(stored_port);
  bad_port->OnFormat = Link<&TElApplication::Notice>(application);
  missing_port_hub->OnPass[0] = Link<&TElMemory::Clear>(missing_port);
  missing_port_hub->OnPass[1] = Link<&TElMemory::Clear>(default_port);
  missing_port->OnStore = Link<&TElApplication::Notice>(application);
  default_port->OnStore = Link<&TElHub::Pass>(chosen_hub);

  chosen_hub->OnPass[0] = Link<&TElMemory::Store>(port_number);
  chosen_hub->OnPass[1] = Link<&TElFormatStr::Format>(canonical_port);
  canonical_port->OnFormat = Link<&TElMemory::Store>(port_text);
  port_text->OnStore = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElComboBox::SelectText>(port_list_);
  show_hub->OnPass[1] = Link<&TElIf_else::Compare>(unlisted_port);
  show_hub->OnPass[2] = Link<&TElIndexToChanel::Route>(state_router);
  unlisted_port->InOp1 = Link<&TElComboBox::OutIndex>(port_list_);
  unlisted_port->OnTrue = Link<&TElHub::Pass>(absent_hub);
  unlisted_port->OnFalse = Link<&TElDoData::Send>(present);
  absent_hub->OnPass[0] = Link<&TElComboBox::Add>(port_list_);
  absent_hub->OnPass[1] = Link<&TElComboBox::SelectText>(port_list_);
  absent_hub->OnPass[2] = Link<&TElDoData::Send>(absent);
  absent->OnSend = Link<&TElMemory::Store>(found);
  present->OnSend = Link<&TElMemory::Store>(found);
  state_router->InIndex = Link<&TElMemory::OutValue>(found);
  state_router->InData = Link<&TElMemory::OutValue>(port_text);
  state_router->OnChannel[0] = Link<&TElFormatStr::Format>(absent_port);
  state_router->OnChannel[1] = Link<&TElMemory::Store>(port_state);
  absent_port->OnFormat = Link<&TElMemory::Store>(port_state);

  // Opening the list looks for the ports anew: a unit plugged in meanwhile shows up.
  port_list_->OnDropDown = Link<&TElHub::Pass>(rescan_hub);
  rescan_hub->OnPass[0] = Link<&TElComboBox::Clear>(port_list_);
  rescan_hub->OnPass[1] = Link<&TElMultiElement::Work>(scanner, 0);
  rescan_hub->OnPass[2] = Link<&TElDoData::Send>(current_port);
  current_port->InData = Link<&TElMemory::OutValue>(port_text);
  current_port->OnSend = Link<&TElHub::Pass>(show_hub);

  port_list_->OnChange = Link<&TElHub::Pass>(port_pick_hub);
  port_pick_hub->OnPass[0] = Link<&TElMemory::Clear>(problem);
  port_pick_hub->OnPass[1] = Link<&TElDoData::Send>(picked_port);
  port_pick_hub->OnPass[2] = Link<&TElini::Write>(port_key);
  port_pick_hub->OnPass[3] = Link<&TElCOM::Close>(com_);
  port_pick_hub->OnPass[4] = Link<&TElCOM::Open>(com_);
  picked_port->InData = Link<&TElComboBox::OutText>(port_list_);
  picked_port->OnSend = Link<&TElMemory::Store>(stored_port);
  port_key->InValue = Link<&TElMemory::OutValue>(port_text);

  // ---- The speed: one of the list, or 9600. ----
  auto* stored_speed = Create<TElMemory>();
  auto* unlisted_speed = Check(Create<TElIf_else>(), TElIf_else::kEqual, TData::Integer(-1));
  auto* no_speed_stored = Check(Create<TElIf_else>(), TElIf_else::kEqual, TData::String(""));
  auto* bad_speed =
      Mask(Create<TElFormatStr>(), "Скорость «%1» из файла настроек не из списка, взята 9600", 1);
  auto* default_speed = Remembered(Create<TElMemory>(), TData::String("9600"));
  TElHub* speed_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* bad_speed_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* speed_pick_hub = SetUpHub(Create<TElHub>(), 4);

  edit->OnWork[2] = Link<&TElini::Read>(speed_key);
  speed_key->OnValue = Link<&TElMemory::Store>(stored_speed);
  stored_speed->OnStore = Link<&TElHub::Pass>(speed_hub);
  speed_hub->OnPass[0] = Link<&TElComboBox::SelectText>(speed_list_);
  speed_hub->OnPass[1] = Link<&TElIf_else::Compare>(unlisted_speed);
  unlisted_speed->InOp1 = Link<&TElComboBox::OutIndex>(speed_list_);
  unlisted_speed->OnTrue = Link<&TElIf_else::Compare>(no_speed_stored);
  no_speed_stored->InOp1 = Link<&TElMemory::OutValue>(stored_speed);
  no_speed_stored->OnTrue = Link<&TElMemory::Clear>(default_speed);
  no_speed_stored->OnFalse = Link<&TElHub::Pass>(bad_speed_hub);
  bad_speed_hub->OnPass[0] = Link<&TElFormatStr::Format>(bad_speed);
  bad_speed_hub->OnPass[1] = Link<&TElMemory::Clear>(default_speed);
  bad_speed->InStr[0] = Link<&TElMemory::OutValue>(stored_speed);
  bad_speed->OnFormat = Link<&TElApplication::Notice>(application);
  default_speed->OnStore = Link<&TElComboBox::SelectText>(speed_list_);

  speed_list_->OnChange = Link<&TElHub::Pass>(speed_pick_hub);
  speed_pick_hub->OnPass[0] = Link<&TElMemory::Clear>(problem);
  speed_pick_hub->OnPass[1] = Link<&TElini::Write>(speed_key);
  speed_pick_hub->OnPass[2] = Link<&TElCOM::Close>(com_);
  speed_pick_hub->OnPass[3] = Link<&TElCOM::Open>(com_);
  speed_key->InValue = Link<&TElComboBox::OutText>(speed_list_);

  // ---- The pause: a number of seconds held to 0.2..4 and taken as the nearest item
  // of the list; what is no number gives 1 s. The cycle never runs at 0 ms. ----
  auto* stored_pause = Create<TElMemory>();
  auto* pause_number = Create<TElConvertor>();
  pause_number->Mode = TElConvertor::kDecimalToReal;
  TElMathParse* pause_range = Expression(Create<TElMathParse>(), "max(0.2,min(4,%1))");
  auto* below_a_second = Check(Create<TElIf_else>(), TElIf_else::kLess, TData::Real(0.95));
  TElMathParse* tenths = Expression(Create<TElMathParse>(), "round(%1*10)/10");
  TElMathParse* halves = Expression(Create<TElMathParse>(), "round(%1*2)/2");
  auto* no_pause_stored = Check(Create<TElIf_else>(), TElIf_else::kEqual, TData::String(""));
  auto* bad_pause = Mask(Create<TElFormatStr>(), "Пауза «%1» из файла настроек не число, взята 1 с", 1);
  auto* default_pause = Remembered(Create<TElMemory>(), TData::String("1"));
  auto* interval = Create<TElMath>();
  interval->OpType = TElMath::kMultiply;
  interval->Op2 = 1000.0;
  interval->ResultType = TElMath::kInteger;
  TElHub* pause_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* bad_pause_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* pause_pick_hub = SetUpHub(Create<TElHub>(), 3);

  edit->OnWork[3] = Link<&TElini::Read>(pause_key);
  pause_key->OnValue = Link<&TElMemory::Store>(stored_pause);
  stored_pause->OnStore = Link<&TElConvertor::Convert>(pause_number);
  pause_number->OnResult = Link<&TElMathParse::Calc>(pause_range);
  pause_range->OnResult = Link<&TElIf_else::Compare>(below_a_second);
  below_a_second->OnTrue = Link<&TElMathParse::Calc>(tenths);
  below_a_second->OnFalse = Link<&TElMathParse::Calc>(halves);
  tenths->OnResult = Link<&TElHub::Pass>(pause_hub);
  halves->OnResult = Link<&TElHub::Pass>(pause_hub);
  pause_number->OnError = Link<&TElIf_else::Compare>(no_pause_stored);
  no_pause_stored->OnTrue = Link<&TElMemory::Clear>(default_pause);
  no_pause_stored->OnFalse = Link<&TElHub::Pass>(bad_pause_hub);
  bad_pause_hub->OnPass[0] = Link<&TElFormatStr::Format>(bad_pause);
  bad_pause_hub->OnPass[1] = Link<&TElMemory::Clear>(default_pause);
  bad_pause->InStr[0] = Link<&TElMemory::OutValue>(stored_pause);
  bad_pause->OnFormat = Link<&TElApplication::Notice>(application);
  default_pause->OnStore = Link<&TElHub::Pass>(pause_hub);
  pause_hub->OnPass[0] = Link<&TElComboBox::SelectText>(pause_list_);
  pause_hub->OnPass[1] = Link<&TElMath::Calc>(interval);

  pause_list_->OnChange = Link<&TElHub::Pass>(pause_pick_hub);
  pause_pick_hub->OnPass[0] = Link<&TElMemory::Clear>(problem);
  pause_pick_hub->OnPass[1] = Link<&TElini::Write>(pause_key);
  pause_pick_hub->OnPass[2] = Link<&TElMath::Calc>(interval);
  pause_key->InValue = Link<&TElComboBox::OutText>(pause_list_);
  interval->InOp1 = Link<&TElComboBox::OutText>(pause_list_);
  interval->OnResult = Link<&TElEditMulti::Raise>(edit, 0);

  // ---- Sending a byte: every byte opens the port first, which keeps an open port and
  // tries a closed one again. ----
  TElHub* send_hub = SetUpHub(Create<TElHub>(), 2);
  edit->OnWork[4] = Link<&TElHub::Pass>(send_hub);
  send_hub->OnPass[0] = Link<&TElCOM::Open>(com_);
  send_hub->OnPass[1] = Link<&TElCOM::Write>(com_);
  com_->InPort = Link<&TElMemory::OutValue>(port_number);
  com_->InBaud = Link<&TElComboBox::OutText>(speed_list_);
}

}  // namespace lumi
