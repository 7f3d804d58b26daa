#include "elements/window/popup_menu.h"

#include <algorithm>
#include <string_view>

#include "platform/services.h"

namespace lumi {
namespace {

// The deferred start-up list holds plain pointers; a menu destroyed before it ran
// must not be reached.
std::vector<TElPopupMenu*>& Menus() {
  static std::vector<TElPopupMenu*> menus;
  return menus;
}

std::vector<Text> SplitLines(std::string_view text) {
  std::vector<Text> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

void MakeTransparent(platform::Picture& picture) {
  if (picture.IsEmpty() || picture.pixels.empty()) return;
  const uint32_t key = picture.pixels.front();
  for (uint32_t& pixel : picture.pixels) {
    if (pixel == key) pixel = 0;
  }
}

}  // namespace

TElPopupMenu::TElPopupMenu(TElMainForm* form) : form_(form) {
  if (form_ != nullptr) form_->AttachHook(this);
  Menus().push_back(this);
  RegisterInit(&TElPopupMenu::StartEntry, this);
}

TElPopupMenu::~TElPopupMenu() {
  std::erase(Menus(), this);
  if (form_ != nullptr) form_->DetachHook(this);
}

void TElPopupMenu::StartEntry(void* menu) {
  auto* self = static_cast<TElPopupMenu*>(menu);
  if (std::find(Menus().begin(), Menus().end(), self) != Menus().end()) self->Build();
}

void TElPopupMenu::SetMenu(const Text& menu) {
  menu_ = menu;
  // Rebuilt now when the scheme runs, else when the start-up list comes to it.
  built_ = false;
  if (IsStarted()) Build();
}

void TElPopupMenu::Build() {
  items_.clear();
  ArrayInterface* icons = PullArray(InIcons);
  for (Text& line : SplitLines(menu_)) {
    platform::MenuItem item;
    item.separator = line == "-";
    if (!item.separator) item.text = std::move(line);
    TData picture;
    const auto index = static_cast<int32_t>(items_.size());
    if (icons != nullptr && !item.separator && icons->Get(TData::Integer(index), picture) &&
        picture.type == DataType::Bitmap && picture.object != nullptr) {
      item.picture = *static_cast<const platform::Picture*>(picture.object);
      if (TransparentIcons) MakeTransparent(item.picture);
    }
    items_.push_back(std::move(item));
  }
  built_ = true;
}

const std::vector<platform::MenuItem>& TElPopupMenu::Items() {
  if (!built_) Build();
  return items_;
}

void TElPopupMenu::Popup(TData&, uint16_t) {
  const int32_t choice = platform::Current().ui->PopupMenu(Items());
  FireNull(OnClosed);
  // The choice arrives after the menu has closed, as the command it stands for.
  if (choice < 0 || choice >= static_cast<int32_t>(items_.size())) return;
  const platform::MenuItem& item = items_[static_cast<size_t>(choice)];
  if (item.separator) return;
  const Text text = item.text;
  FireString(OnClickText, text);
  FireInteger(OnClick, choice);
}

}  // namespace lumi
