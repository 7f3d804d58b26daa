#include "scheme/selection_panel.h"

#include <cstdio>

#include "scheme/texts.h"

namespace lumi {

SelectionPanel::SelectionPanel(TElement* parent) {
  box = Create<TElGroupBox>(static_cast<TElWin*>(parent));
  box->Left = 286;
  box->Top = 0;
  box->Width = 25;
  box->Height = 476;
  box->Hint = W("Панель выбора индикатора");
  box->Init();

  edit = CreateEditMulti(1, 0);

  const Text hint = W("Настроить индикатор №");
  for (int n = 1; n <= IndicatorRow::kRows; ++n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", n);
    TElRadioButton* radio = Create<TElRadioButton>(box);
    radio->Left = 5;
    // Level with the lamp of row n.
    radio->Top = 22 + IndicatorRow::kPitch * (n - 1);
    radio->Width = 15;
    radio->Height = 15;
    radio->Hint = hint + digits;
    radio->Init();
    radios[n - 1] = radio;
  }

  picked = Create<TElChanelToIndex>();
  picked->SetCount(IndicatorRow::kRows);
  first_radio = Create<TElChanelToIndex>();
  first_radio->SetCount(2);

  for (int i = 0; i < IndicatorRow::kRows; ++i) {
    radios[i]->OnSelect = Link<&TElChanelToIndex::Select>(picked, static_cast<uint16_t>(i));
  }
  picked->OnIndex = Link<&TElEditMulti::Raise>(edit, 0);
  edit->OnWork[0] = Link<&TElChanelToIndex::Select>(first_radio, 1);
  first_radio->OnIndex = Link<&TElRadioButton::Select>(radios[0]);
}

}  // namespace lumi
