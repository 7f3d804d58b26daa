#include "scheme/debug_window.h"

#include "elements/compute/if_else.h"
#include "scheme/building.h"
#include "scheme/byte_display.h"
#include "scheme/texts.h"

namespace lumi {

namespace {

constexpr int32_t kEscapeKey = 27;

TElMultiElement* Display(TElMultiElement* multi, TElMainForm* form, const ByteDisplayLook& look) {
  multi->parent = form;
  multi->CreateOnDemand = false;
  multi->SetCreator(ByteDisplay::CreatorFor(look));
  return multi;
}

}  // namespace

DebugWindow::DebugWindow(TElement* parent) {
  form = Create<TElMainForm>(OwnerFormOf(parent));
  form->Caption = W("Окно отладки");
  form->Width = 171;
  form->Height = 60;
  form->ClientSized = true;
  form->BorderStyle = 6;  // dialog frame, no caption bar
  form->DragByClient = true;
  form->KeyPreview = true;
  form->Visible = false;
  form->Init();

  edit = CreateEditMulti(3, 0);

  second_byte = Display(Create<TElMultiElement>(), form, ByteDisplay::kSecondByte);
  first_byte = Display(Create<TElMultiElement>(), form, ByteDisplay::kFirstByte);

  edit->OnWork[0] = Link<&TElWin::SetVisible>(form);
  edit->OnWork[1] = Link<&TElMultiElement::Work>(first_byte, 0);
  edit->OnWork[2] = Link<&TElMultiElement::Work>(second_byte, 0);

  auto* escape = Create<TElIf_else>();
  escape->Type = TElIf_else::kEqual;
  escape->Op2 = TData::Integer(kEscapeKey);
  form->OnKeyDown = Link<&TElIf_else::Compare>(escape);
  escape->OnTrue = Link<&TElEditMulti::Raise>(edit, 0);
}

}  // namespace lumi
