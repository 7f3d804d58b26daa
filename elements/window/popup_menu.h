#pragma once

#include <cstdint>
#include <vector>

#include "elements/window/main_form.h"
#include "platform/ui.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// A context menu built from a text with one item per line ("-" a separator). Popup
// shows it at the pointer; once it has closed OnClosed fires, and then, for a chosen
// item, OnClickText with its text and OnClick with its index counted over all lines,
// separators included.
//
// The items are built once the scheme is complete (the deferred start-up list), so
// the pictures of InIcons can be read through its link.
class TElPopupMenu : public TElement, private FormHook {
 public:
  explicit TElPopupMenu(TElMainForm* form);
  ~TElPopupMenu() override;

  // Pixels of an item picture that have the colour of its top-left pixel take the
  // menu's colour: here they become transparent, so the menu shows through.
  bool TransparentIcons = false;

  TEl_Event OnClick;      // integer: the chosen item's index
  TEl_Event OnClickText;  // string: the chosen item's text
  TEl_Event OnClosed;     // no value
  TEl_Event InIcons;      // optional Array of pictures, one per line

  // The menu text, lines separated by CR LF (a lone LF is taken as well; a final
  // line break adds no empty item).
  void SetMenu(const Text& menu);

  // Action; the value is ignored.
  void Popup(TData& data, uint16_t index);

  // The items as the menu shows them.
  const std::vector<platform::MenuItem>& Items();

 private:
  static void StartEntry(void* menu);
  void Build();
  void FormDestroyed() override { form_ = nullptr; }

  TElMainForm* form_;
  Text menu_;
  std::vector<platform::MenuItem> items_;
  bool built_ = false;
};

}  // namespace lumi
