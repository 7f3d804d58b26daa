#include "scheme/indicator_row.h"

#include <cstdio>
#include <memory>

#include "scheme/texts.h"

namespace lumi {

namespace {

// The user sees channels numbered from 01.
Text TwoDigits(int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", number);
  return digits;
}

}  // namespace

IndicatorRow::IndicatorRow(TElement* parent, int number) {
  const Text digits = TwoDigits(number);

  box = Create<TElGroupBox>(static_cast<TElWin*>(parent));
  box->Left = 5;
  box->Top = 8 + kPitch * (number - 1);
  box->Width = 269;
  box->Height = 33;
  box->Caption = digits;
  box->Init();

  edit = CreateEditMulti(2, 0);

  lamp = Create<TElLED>(box);
  lamp->Left = 8;
  lamp->Top = 13;
  lamp->Width = 15;
  lamp->Height = 15;
  lamp->Hint = W("Индикатор №") + digits;
  lamp->ColorOn = 255;
  lamp->ColorOff = 128;
  lamp->ColorLight = 0xFFFFFF;
  lamp->State = false;
  lamp->Shape = 0;
  lamp->Relief = true;
  lamp->Init();

  label = Create<TElLabel>(box);
  label->Left = 26;
  label->Top = 13;
  label->Width = 238;
  label->Height = 17;
  label->Hint = W("Текущая настройка индикатора №") + digits;
  label->Caption = W("Событие не определено");
  label->Init();

  router = Create<TElIndexToChanel>();
  router->SetCount(2);

  edit->OnWork[0] = Link<&TElIndexToChanel::Route>(router);
  edit->OnWork[1] = Link<&TElLabel::SetText>(label);
  router->OnChannel[0] = Link<&TElLED::Off>(lamp);
  router->OnChannel[1] = Link<&TElLED::On>(lamp);
}

Creator IndicatorRow::CreatorFor(int number) {
  return [number](TElement* parent) -> std::unique_ptr<Container> {
    return std::make_unique<IndicatorRow>(parent, number);
  };
}

}  // namespace lumi
