#include "elements/window/main_form.h"

#include <algorithm>
#include <utility>

#include "platform/event_loop.h"
#include "platform/services.h"

namespace lumi {
namespace {

TElMainForm* g_main_window = nullptr;

// Every form alive, in creation order. The deferred start-up list and the window to
// re-activate hold plain pointers; a form that went away must not be reached through
// them.
std::vector<TElMainForm*>& Forms() {
  static std::vector<TElMainForm*> forms;
  return forms;
}

bool Alive(const TElMainForm* form) {
  return form != nullptr && std::find(Forms().begin(), Forms().end(), form) != Forms().end();
}

// The element behind a window the system reports as active.
TElMainForm* FormOf(const platform::Control* control) {
  if (control == nullptr) return nullptr;
  for (TElMainForm* form : Forms()) {
    if (form->PlatformControl() == control) return form;
  }
  return nullptr;
}

bool Attached(const std::vector<FormHook*>& hooks, const FormHook* hook) {
  return std::find(hooks.begin(), hooks.end(), hook) != hooks.end();
}

}  // namespace

TElMainForm::TElMainForm(TElMainForm* owner) : TElWin(platform::ControlKind::Form, owner), owner_(owner) {
  if (g_main_window == nullptr) {
    g_main_window = this;
    main_ = true;
  }
  Forms().push_back(this);
  RegisterInit(&TElMainForm::StartEntry, this);
}

TElMainForm::~TElMainForm() {
  std::vector<FormHook*> hooks = std::move(hooks_);
  hooks_.clear();
  for (FormHook* hook : hooks) hook->FormDestroyed();
  std::erase(Forms(), this);
  for (TElMainForm* form : Forms()) {
    if (form->last_active_ == this) form->last_active_ = nullptr;
    if (form->owner_ == this) form->owner_ = nullptr;
  }
  if (g_main_window == this) {
    g_main_window = nullptr;
    platform::Current().loop->SetShowRequestHandler(nullptr);
  }
}

TElMainForm* TElMainForm::MainWindow() { return g_main_window; }

const platform::Picture& TElMainForm::ShownIcon() const {
  if (Icon.IsEmpty() && g_main_window != nullptr && g_main_window != this) return g_main_window->Icon;
  return Icon;
}

void TElMainForm::SetCaption(const Text& caption) {
  Caption = caption;
  if (PlatformControl() != nullptr) PlatformControl()->SetText(Caption);
}

void TElMainForm::SetBorderStyle(int32_t style) {
  if (style < 0 || style > kLastBorderStyle) return;
  BorderStyle = style;
  if (PlatformControl() != nullptr) PlatformControl()->SetBorderStyle(BorderStyle);
}

void TElMainForm::SetIcon(const platform::Picture& icon) {
  Icon = icon;
  // The main window's icon is the application's: forms without their own show it.
  for (TElMainForm* form : Forms()) {
    if ((form == this || (main_ && form->Icon.IsEmpty())) && form->PlatformControl() != nullptr) {
      form->PlatformControl()->SetIcon(form->ShownIcon());
    }
  }
  const std::vector<FormHook*> hooks = hooks_;
  for (FormHook* hook : hooks) {
    if (Attached(hooks_, hook)) hook->IconChanged();
  }
}

void TElMainForm::Init() {
  if (PlatformControl() != nullptr) return;
  CreateControl();
  platform::Control* control = PlatformControl();
  if (control == nullptr) return;
  // The window stays hidden until the start-up list shows it.
  ApplyCommon();
  control->SetText(Caption);
  if (BorderStyle >= 0 && BorderStyle <= kLastBorderStyle) control->SetBorderStyle(BorderStyle);
  control->SetIcon(ShownIcon());
  control->SetOpacity(Opacity);
  if (ClientSized) control->SetClientSize({Width, Height});
  Centre();
}

void TElMainForm::Centre() {
  platform::Control* control = PlatformControl();
  const platform::Size screen = platform::Current().ui->ScreenSize();
  platform::Rect place = control->Geometry();
  // In 64 bits, so that no size makes the difference overflow; halved toward zero.
  place.left = static_cast<int32_t>((int64_t{screen.width} - place.width) / 2);
  place.top = static_cast<int32_t>((int64_t{screen.height} - place.height) / 2);
  Left = place.left;
  Top = place.top;
  control->SetGeometry(place);
}

void TElMainForm::Start() {
  Init();
  if (main_) {
    platform::Current().loop->SetShowRequestHandler([this] {
      if (!Destroying() && !ended_) FireNull(OnShowRequest);
    });
  }
  EnableDispatchers();
  RunInits();
}

void TElMainForm::StartEntry(void* form) {
  // A form destroyed before the list ran (a construction that failed half-way) is
  // skipped.
  auto* self = static_cast<TElMainForm*>(form);
  if (Alive(self)) self->Started();
}

void TElMainForm::Started() {
  if (created_) return;
  created_ = true;
  Init();
  placed_ = false;
  FireNull(OnCreate);
  // OnCreate may already have closed the window (the second copy of the program), or
  // sent it to the tray: a program started into its tray never flashes its window
  // (nor lays it out and paints it for nobody).
  if (Visible && !placed_ && !ended_ && !closing_) Show(true);
}

void TElMainForm::Show(bool visible) {
  platform::Control* control = PlatformControl();
  if (control == nullptr) return;
  if (visible) {
    TElMainForm* active = FormOf(platform::Current().ui->ActiveForm());
    if (active != nullptr && active != this) last_active_ = active;
    window_shown_ = true;
    control->SetVisible(true);
    return;
  }
  window_shown_ = false;
  hidden_with_owner_ = false;
  control->SetVisible(false);
  TElMainForm* previous = std::exchange(last_active_, nullptr);
  if (previous != nullptr && previous->window_shown_ && previous->PlatformControl() != nullptr) {
    previous->PlatformControl()->Activate();
  }
}

void TElMainForm::Close(TData&, uint16_t) { CloseWindow(true); }

void TElMainForm::Activate(TData&, uint16_t) {
  if (window_shown_) BringToFront();
}

void TElMainForm::CloseRequested() {
  if (!Destroying()) CloseWindow(false);
}

void TElMainForm::CloseWindow(bool final_close) {
  if (closing_ || ended_) return;
  if (!final_close) {
    // The hook attached last stands in front of the others.
    const std::vector<FormHook*> hooks(hooks_.rbegin(), hooks_.rend());
    for (FormHook* hook : hooks) {
      if (Attached(hooks_, hook) && hook->TakeCloseRequest()) return;
    }
  }
  closing_ = true;
  const std::vector<TElMainForm*> forms = Forms();
  for (TElMainForm* form : forms) {
    if (Alive(form) && form->owner_ == this && form->window_shown_) form->CloseWindow(true);
  }
  if (!main_) {
    Visible = false;
    Show(false);  // re-activates the window that was active when this one was shown
    closing_ = false;
    return;
  }
  TElMainForm* previous = std::exchange(last_active_, nullptr);
  if (Alive(previous) && previous->window_shown_ && previous->PlatformControl() != nullptr) {
    previous->PlatformControl()->Activate();
  }
  ended_ = true;
  FireNull(OnClose);
  // Nothing may reach an element any more while the loop winds down and the scheme
  // is destroyed.
  DisableDispatchers();
  HideWindow();
  platform::Current().loop->Quit();
}

void TElMainForm::MinimizeRequested() {
  if (Destroying()) return;
  const std::vector<FormHook*> hooks(hooks_.rbegin(), hooks_.rend());
  for (FormHook* hook : hooks) {
    if (Attached(hooks_, hook) && hook->TakeMinimize()) return;
  }
  MinimizeToTaskbar();
}

void TElMainForm::AttachHook(FormHook* hook) {
  if (hook != nullptr && !Attached(hooks_, hook)) hooks_.push_back(hook);
}

void TElMainForm::DetachHook(FormHook* hook) { std::erase(hooks_, hook); }

void TElMainForm::HideWindow() {
  placed_ = true;
  window_shown_ = false;
  if (PlatformControl() != nullptr) PlatformControl()->SetVisible(false);
  for (TElMainForm* form : Forms()) {
    if (form->owner_ == this && form->window_shown_) {
      form->HideWindow();
      form->hidden_with_owner_ = true;
    }
  }
}

void TElMainForm::ShowWindow() {
  window_shown_ = true;
  if (PlatformControl() != nullptr) PlatformControl()->SetVisible(true);
  for (TElMainForm* form : Forms()) {
    if (form->owner_ == this && form->hidden_with_owner_) {
      form->hidden_with_owner_ = false;
      form->ShowWindow();
    }
  }
}

void TElMainForm::BringToFront() {
  if (PlatformControl() != nullptr) PlatformControl()->Activate();
}

void TElMainForm::MinimizeToTaskbar() {
  if (PlatformControl() == nullptr) return;
  placed_ = true;
  window_shown_ = true;
  PlatformControl()->ShowMinimized();
}

void TElMainForm::MouseDown(platform::MouseButton button, platform::Point at) {
  if (Destroying()) return;
  if (DragByClient && button == platform::MouseButton::Left && PlatformControl() != nullptr) {
    PlatformControl()->BeginDragMove();
  }
  TElWin::MouseDown(button, at);
}

void TElMainForm::PreviewKeyDown(int32_t virtual_key) {
  if (KeyPreview && !Destroying()) FireInteger(OnKeyDown, virtual_key);
}

void TElMainForm::Activated(bool active) {
  if (!Destroying()) FireNull(active ? OnActivate : OnDeactivate);
}

void TElMainForm::Shown() {
  if (Destroying()) return;
  if (!shown_once_) {
    shown_once_ = true;
    if (WindowState == kMinimizedState && PlatformControl() != nullptr) PlatformControl()->ShowMinimized();
  }
  FireNull(OnShow);
}

}  // namespace lumi
