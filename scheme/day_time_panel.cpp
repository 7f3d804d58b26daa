#include "scheme/day_time_panel.h"

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

namespace {

// Both pickers' drop-down calendars: blue title and trailing days, white elsewhere.
TElDatePicker* Colour(TElDatePicker* picker) {
  picker->TitleBackColor = 0xFF0000;
  picker->TitleTextColor = 0xFFFFFF;
  picker->MonthBackColor = 0xFFFFFF;
  picker->TrailingTextColor = 0xFF0000;
  return picker;
}

TElMemory* Flag(TElMemory* flag) {
  flag->SetDefault(TData::Integer(0));
  return flag;
}

TElChanelToIndex* Selector(TElChanelToIndex* selector) {
  selector->SetCount(2);
  return selector;
}

// Lets a picker's change through only while its flag says the user pressed on it.
TElIf_else* Guard(TElIf_else* guard) {
  guard->Type = TElIf_else::kEqual;
  guard->Op2 = TData::Integer(1);
  return guard;
}

}  // namespace

DayTimePanel::DayTimePanel(TElement* parent) {
  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 315, 439, 232, 55);
  box->Init();

  edit = CreateEditMulti(3, 3);

  date_picker = Colour(Place(Create<TElDatePicker>(box), 55, 10, 80, 21));
  date_picker->LongDate = false;  // the short date, with a drop-down calendar
  date_picker->Init();

  time_picker = Colour(Place(Create<TElDatePicker>(box), 156, 10, 70, 21));
  time_picker->TimeFormat = true;
  time_picker->UpDown = true;
  time_picker->Init();

  date_flag = Flag(Create<TElMemory>());
  time_flag = Flag(Create<TElMemory>());
  date_flag_selector = Selector(Create<TElChanelToIndex>());
  time_flag_selector = Selector(Create<TElChanelToIndex>());
  date_guard = Guard(Create<TElIf_else>());
  time_guard = Guard(Create<TElIf_else>());
  date_copier = Create<TElDoData>();
  time_copier = Create<TElDoData>();

  moment_reader = Create<TElGetData>();
  moment_reader->Count = 4;
  clock_reader = Create<TElGetData>();
  clock_reader->Count = 2;

  comparison = Create<TElIf_else>();
  comparison->Type = TElIf_else::kAtLeast;  // the moment itself counts as reached

  phase_sender = Create<TElDoData>();
  state = Flag(Create<TElMemory>());
  come = Flag(Create<TElMemory>());
  come_selector = Selector(Create<TElChanelToIndex>());

  message_sender = Create<TElDoData>();
  message_converter = Create<TElDateConvertor>();
  message_converter->Format = "HH:mm:ss dd-MM-yyyy";
  message_router = Create<TElIndexToChanel>();
  message_router->SetCount(2);
  coming_message = Create<TElFormatStr>();
  coming_message->SetCount(1);
  coming_message->Mask = W("Наступит: %1");
  come_message = Create<TElFormatStr>();
  come_message->SetCount(1);
  come_message->Mask = W("Наступило: %1");
  message = Create<TElMemory>();

  clock_timer = Create<TElTimer>();
  clock_timer->SetIntervalMs(kClockIntervalMs);
  clock_timer->SetAutoStop(0);

  clock_switcher = Create<TElIndexToChanel>();
  clock_switcher->SetCount(2);
  clock_sender = Create<TElDoData>();
  clock_converter = Create<TElDateConvertor>();
  clock_converter->Format = "dd-MM-yyyy HH:mm:ss";
  clock_text = Create<TElFormatStr>();
  clock_text->SetCount(1);
  clock_text->Mask = W("Сейчас: %1");

  change_value = Create<TElDoData>();

  show_hub = SetUpHub(Create<TElHub>(), 1, 6);
  apply_hub = SetUpHub(Create<TElHub>(), 1, 4);
  date_set_hub = SetUpHub(Create<TElHub>(), 2, 2);
  time_set_hub = SetUpHub(Create<TElHub>(), 2, 2);
  date_copy_hub = SetUpHub(Create<TElHub>(), 2, 2);
  time_copy_hub = SetUpHub(Create<TElHub>(), 2, 2);
  change_hub = SetUpHub(Create<TElHub>(), 2, 1);
  reset_hub = SetUpHub(Create<TElHub>(), 2, 1);
  come_hub = SetUpHub(Create<TElHub>(), 2);
  not_come_hub = SetUpHub(Create<TElHub>(), 2);

  signal_label = Place(Create<TElLabel>(box), 9, 12, 40, 17);
  signal_label->Caption = W("Сигнал");
  signal_label->Init();

  at_label = Place(Create<TElLabel>(box), 142, 12, 10, 17);
  at_label->Caption = W("в");
  at_label->Init();

  // Our labels do not grow with their text: this one spans the panel so that the
  // whole clock line shows.
  clock_label = Place(Create<TElLabel>(box), 9, 36, 215, 17);
  clock_label->Caption = "  ";
  clock_label->Init();

  // Showing and the clock display.
  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(date_picker);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(time_picker);
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(signal_label);
  show_hub->OnPass[3] = Link<&TElWin::SetVisible>(at_label);
  show_hub->OnPass[4] = Link<&TElWin::SetVisible>(clock_label);
  show_hub->OnPass[5] = Link<&TElIndexToChanel::Route>(clock_switcher);
  clock_switcher->OnChannel[0] = Link<&TElTimer::Stop>(clock_timer);
  clock_switcher->OnChannel[1] = Link<&TElTimer::Start>(clock_timer);
  clock_timer->OnTimer = Link<&TElDoData::Send>(clock_sender);
  clock_sender->InData = Link<&TElGetData::OutData>(clock_reader, 1);
  clock_sender->OnSend = Link<&TElDateConvertor::Convert>(clock_converter);
  clock_converter->OnResult = Link<&TElFormatStr::Format>(clock_text);
  clock_text->OnFormat = Link<&TElLabel::SetText>(clock_label);

  // Evaluation.
  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElHub::Pass>(date_set_hub, 0);
  apply_hub->OnPass[1] = Link<&TElHub::Pass>(time_set_hub, 0);
  apply_hub->OnPass[2] = Link<&TElIf_else::Compare>(comparison);
  apply_hub->OnPass[3] = Link<&TElDoData::Send>(message_sender);
  date_set_hub->OnPass[0] = Link<&TElChanelToIndex::Select>(date_flag_selector, 0);
  date_set_hub->OnPass[1] = Link<&TElDatePicker::SetDateTime>(date_picker);
  time_set_hub->OnPass[0] = Link<&TElChanelToIndex::Select>(time_flag_selector, 0);
  time_set_hub->OnPass[1] = Link<&TElDatePicker::SetDateTime>(time_picker);
  date_flag_selector->OnIndex = Link<&TElMemory::Store>(date_flag);
  time_flag_selector->OnIndex = Link<&TElMemory::Store>(time_flag);

  moment_reader->InData = Link<&TElDatePicker::OutDateTime>(time_picker);
  clock_reader->InData = Link<&TElDatePicker::OutNow>(time_picker);
  comparison->InOp1 = Link<&TElGetData::OutData>(clock_reader, 0);
  comparison->InOp2 = Link<&TElGetData::OutData>(moment_reader, 0);
  comparison->OnTrue = Link<&TElHub::Pass>(come_hub);
  come_hub->OnPass[0] = Link<&TElDoData::Send>(phase_sender);
  come_hub->OnPass[1] = Link<&TElChanelToIndex::Select>(come_selector, 1);
  phase_sender->InData = Link<&TElEditMulti::OutData>(edit, 0);
  phase_sender->OnSend = Link<&TElMemory::Store>(state);
  comparison->OnFalse = Link<&TElHub::Pass>(not_come_hub);
  not_come_hub->OnPass[0] = Link<&TElHub::Pass>(reset_hub, 1);
  not_come_hub->OnPass[1] = Link<&TElChanelToIndex::Select>(come_selector, 0);
  come_selector->OnIndex = Link<&TElMemory::Store>(come);
  edit->OnWork[2] = Link<&TElHub::Pass>(reset_hub, 0);
  reset_hub->OnPass[0] = Link<&TElMemory::Clear>(state);

  message_sender->InData = Link<&TElGetData::OutData>(moment_reader, 1);
  message_sender->OnSend = Link<&TElDateConvertor::Convert>(message_converter);
  message_converter->OnResult = Link<&TElIndexToChanel::Route>(message_router);
  message_router->InIndex = Link<&TElMemory::OutValue>(come);
  message_router->OnChannel[0] = Link<&TElFormatStr::Format>(coming_message);
  message_router->OnChannel[1] = Link<&TElFormatStr::Format>(come_message);
  coming_message->OnFormat = Link<&TElMemory::Store>(message);
  come_message->OnFormat = Link<&TElMemory::Store>(message);

  // The user edits the moment.
  date_picker->OnMouseDown = Link<&TElChanelToIndex::Select>(date_flag_selector, 1);
  date_picker->OnChange = Link<&TElIf_else::Compare>(date_guard);
  date_guard->InOp1 = Link<&TElMemory::OutValue>(date_flag);
  date_guard->OnTrue = Link<&TElHub::Pass>(date_copy_hub, 0);
  date_picker->OnKeyUp = Link<&TElHub::Pass>(date_copy_hub, 1);
  date_copy_hub->OnPass[0] = Link<&TElDoData::Send>(date_copier);
  date_copier->InData = Link<&TElDatePicker::OutDateTime>(date_picker);
  date_copier->OnSend = Link<&TElHub::Pass>(time_set_hub, 1);
  date_copy_hub->OnPass[1] = Link<&TElHub::Pass>(change_hub, 0);

  time_picker->OnMouseDown = Link<&TElChanelToIndex::Select>(time_flag_selector, 1);
  time_picker->OnChange = Link<&TElIf_else::Compare>(time_guard);
  time_guard->InOp1 = Link<&TElMemory::OutValue>(time_flag);
  time_guard->OnTrue = Link<&TElHub::Pass>(time_copy_hub, 0);
  time_picker->OnKeyUp = Link<&TElHub::Pass>(time_copy_hub, 1);
  time_copy_hub->OnPass[0] = Link<&TElDoData::Send>(time_copier);
  time_copier->InData = Link<&TElDatePicker::OutDateTime>(time_picker);
  time_copier->OnSend = Link<&TElHub::Pass>(date_set_hub, 1);
  time_copy_hub->OnPass[1] = Link<&TElHub::Pass>(change_hub, 1);

  change_hub->OnPass[0] = Link<&TElDoData::Send>(change_value);
  change_value->InData = Link<&TElGetData::OutData>(moment_reader, 3);
  change_value->OnSend = Link<&TElEditMulti::Raise>(edit, 0);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElGetData::OutData>(moment_reader, 2);
  edit->InVar[2] = Link<&TElMemory::OutValue>(message);
}

}  // namespace lumi
