#include "scheme/lamp_group.h"

namespace lumi {

namespace {

void SetUpBits(TElIntToBits* bits) {
  bits->SetCount(LampGroup::kRowsPerByte);
  bits->Zero = TData::Integer(0);
  bits->One = TData::Integer(1);
  // Every lamp of the half follows the frame, dark ones included.
  bits->SendZeros = true;
}

}  // namespace

LampGroup::LampGroup(TElement* parent) {
  box = Create<TElGroupBox>(static_cast<TElWin*>(parent));
  box->Left = 0;
  box->Top = 0;
  box->Width = 280;
  box->Height = 476;
  box->Init();

  edit = CreateEditMulti(2 * (1 + kRowsPerByte), 0);

  for (int n = 1; n <= IndicatorRow::kRows; ++n) {
    TElMultiElement* row = Create<TElMultiElement>();
    row->parent = box;
    row->CreateOnDemand = false;
    row->SetCreator(IndicatorRow::CreatorFor(n));
    rows[n - 1] = row;
  }

  low_bits = Create<TElIntToBits>();
  SetUpBits(low_bits);
  high_bits = Create<TElIntToBits>();
  SetUpBits(high_bits);

  edit->OnWork[0] = Link<&TElIntToBits::Split>(low_bits);
  edit->OnWork[kRowsPerByte + 1] = Link<&TElIntToBits::Split>(high_bits);
  for (int k = 0; k < kRowsPerByte; ++k) {
    TElMultiElement* low_row = rows[k];
    TElMultiElement* high_row = rows[kRowsPerByte + k];
    low_bits->OnBit[k] = Link<&TElMultiElement::Work>(low_row, 0);
    high_bits->OnBit[k] = Link<&TElMultiElement::Work>(high_row, 0);
    edit->OnWork[1 + k] = Link<&TElMultiElement::Work>(low_row, 1);
    edit->OnWork[kRowsPerByte + 2 + k] = Link<&TElMultiElement::Work>(high_row, 1);
  }
}

}  // namespace lumi
