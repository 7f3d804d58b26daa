#include "scheme/about_window.h"

#include "resources/pictures.h"
#include "resources/resources.h"
#include "scheme/texts.h"

namespace lumi {

namespace {

// A form is owned by the main window; anything else given as the parent would make
// this window the program's main window, which must never happen.
TElMainForm* OwnerOf(TElement* parent) {
  if (auto* form = dynamic_cast<TElMainForm*>(parent)) return form;
  return TElMainForm::MainWindow();
}

}  // namespace

TClassChildForm_14CDB18::TClassChildForm_14CDB18(TElement* parent) {
  form = Create<TElMainForm>(OwnerOf(parent));
  form->Caption = W("О программе");
  form->Width = 368;
  form->Height = 294;
  form->ClientSized = false;
  form->BorderStyle = 3;  // caption, window edge
  form->Icon = resources::Picture("ICON1");
  form->Visible = false;
  form->Init();

  edit = CreateEditMulti(1, 0);

  text = Create<TElMemo>(form);
  text->Left = 0;
  text->Top = 0;
  text->Width = 362;
  text->Height = 269;
  text->Text = resources::Text("Str2");
  text->ScrollBars = 2;  // vertical
  text->Init();

  edit->OnWork[0] = Link<&TElWin::SetVisible>(form);
}

}  // namespace lumi
