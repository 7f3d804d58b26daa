#include "scheme/button_frame.h"

namespace lumi {

ButtonFrame::ButtonFrame(TElement* parent) {
  box = Create<TElGroupBox>(static_cast<TElWin*>(parent));
  box->Left = 0;
  box->Top = 476;
  box->Width = 311;
  box->Height = 111;
  box->Init();

  edit = CreateEditMulti(2, 0);

  edit->OnWork[0] = Link<&TElWin::SetWidth>(box);
  edit->OnWork[1] = Link<&TElWin::SetHeight>(box);
}

}  // namespace lumi
