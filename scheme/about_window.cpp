#include "scheme/about_window.h"

#include "resources/resources.h"
#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

AboutWindow::AboutWindow(TElement* parent) {
  form = Create<TElMainForm>(OwnerFormOf(parent));
  form->Caption = W("О программе");
  form->Width = 368;
  form->Height = 294;
  form->ClientSized = false;
  form->BorderStyle = 3;  // caption, window edge
  // No picture of its own: the window shows the program's icon, the main window's.
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
