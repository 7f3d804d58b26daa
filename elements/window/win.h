#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ui.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// The base of every window element: one platform control, the common properties
// applied to it once, the common actions, and the keyboard, mouse and focus
// notifications of the control turned into events.
//
// Containers create the element with its parent (the form or group box it lives in;
// for a form, its owner form or none), assign the properties, then call Init, which
// creates the control inside the parent's. Actions before Init only change the fields.
class TElWin : public TElement, protected platform::ControlEvents {
 public:
  // Windows colour 0xFF0000nn is system colour nn.
  static constexpr platform::Color kButtonFace = 0xFF00000F;
  static constexpr platform::Color kWindowBackground = 0xFF000005;

  TElWin(platform::ControlKind kind, TElWin* parent);
  ~TElWin() override;

  // Unless the container says otherwise a control is shown, enabled and on the button
  // face, as nearly every control of the application is.
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t TabOrder = 0;  // > 0: a tab stop with this order
  platform::Color Color = kButtonFace;
  Text Hint;
  platform::FontSpec Font;  // "MS Sans Serif" 8, as the whole application uses
  bool ParentFont = false;
  bool Visible = true;
  bool Enabled = true;
  // The toolkits already keep the pointer on the control from button-down to
  // button-up, so this only records the wish.
  bool MouseCapture = false;

  TEl_Event OnKeyDown;     // integer: virtual key code
  TEl_Event OnKeyUp;       // integer: virtual key code
  TEl_Event OnChar;        // string: the one character typed
  TEl_Event OnMouseDown;   // integer: 0 left, 1 right, 2 middle
  TEl_Event OnMouseMove;   // integer: the one button held, 255 otherwise
  TEl_Event OnMouseUp;     // integer: button
  TEl_Event OnMouseWheel;  // integer: wheel delta, 120 a notch
  TEl_Event OnEnter;       // got the focus
  TEl_Event OnExit;        // lost the focus

  // Creates the control and applies the properties; a second call does nothing.
  virtual void Init();

  // Actions, each named after the property it changes: IsTrue of the value for
  // Enabled and Visible, AsInteger for the sizes.
  void SetEnabled(TData& data, uint16_t index);
  void SetVisible(TData& data, uint16_t index);
  void SetWidth(TData& data, uint16_t index);
  void SetHeight(TData& data, uint16_t index);
  void SetHint(TData& data, uint16_t index);  // the text becomes Hint

  platform::ControlKind Kind() const { return kind_; }
  TElWin* Parent() const { return parent_; }
  // None before Init.
  platform::Control* PlatformControl() const { return control_.get(); }
  // The font the control shows: the parent's, up the chain, when ParentFont is set.
  const platform::FontSpec& ShownFont() const;
  // The elements created with this one as their parent, in creation order.
  const std::vector<TElWin*>& Children() const { return children_; }

 protected:
  // Init in steps, for elements that need another order (a form holds Visible back).
  void CreateControl();
  void ApplyCommon();  // everything from the colour to the hidden raise, not Visible
  // The control's own properties, applied after the common ones and Visible.
  virtual void ApplyOwn() {}
  // How the Visible action and Init show or hide the element.
  virtual void Show(bool visible);

  bool Destroying() const { return destroying_; }

  // platform::ControlEvents: the common notifications become the common events.
  void KeyDown(int32_t virtual_key) override;
  // A key pressed in one of the controls of this form (forms only).
  virtual void PreviewKeyDown(int32_t /*virtual_key*/) {}
  void KeyUp(int32_t virtual_key) override;
  void Char(const std::string& one_character) override;
  void MouseDown(platform::MouseButton button, platform::Point at) override;
  void MouseMove(int32_t held, platform::Point at) override;
  void MouseUp(platform::MouseButton button, platform::Point at) override;
  void Wheel(int32_t delta) override;
  void FocusIn() override;
  void FocusOut() override;

 private:
  platform::ControlKind kind_;
  TElWin* parent_;
  std::vector<TElWin*> children_;
  std::unique_ptr<platform::Control> control_;
  bool destroying_ = false;
};

}  // namespace lumi
