// lumiscope-screens.exe OUTDIR: builds the program's main scheme on the Win32 window
// system with a fresh settings folder and saves what a person would see, step by
// step, as PNG files: the pixels on the screen where each window stands.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/linux/png_writer.h"
#include "platform/moved_system.h"
#include "platform/services.h"
#include "platform/single_message_box.h"
#include "platform/win32ui/common_controls.h"
#include "platform/win32ui/gdi_objects.h"
#include "platform/win32ui/win32_control.h"
#include "platform/win32ui/win32_ui.h"
#include "platform/windows/install.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/windows_system.h"
#include "runtime/event.h"
#include "scheme/about_window.h"
#include "scheme/debug_window.h"
#include "scheme/main_scheme.h"
#include "tests/support/fake_platform.h"

namespace {

namespace fs = std::filesystem;
using lumi::platform::win32ui::Win32Control;

// Lets the window system show and paint what changed.
void Settle(lumi::platform::windows_backend::MessageLoop& loop, DWORD ms = 300) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end) {
    if (!loop.RunOnce()) Sleep(10);
  }
}

HWND WindowOf(lumi::TElWin* window) {
  auto* control = static_cast<Win32Control*>(window->PlatformControl());
  return control == nullptr ? nullptr : control->Window();
}

// As the user picks an entry: the list tells its parent that the selection changed.
void PickEventType(lumi::MainScheme& scheme, int type) {
  HWND list = WindowOf(scheme.event_list);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// A left click in the middle of a picture button.
void Press(lumi::TElWin* button) {
  HWND window = WindowOf(button);
  RECT client{};
  GetClientRect(window, &client);
  const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  SendMessageW(window, WM_LBUTTONUP, 0, middle);
}

template <class Window>
lumi::TElMainForm* FormOf(lumi::TElMultiElement* multi) {
  auto* inner = multi->Inner();
  return inner == nullptr ? nullptr : static_cast<Window*>(inner->container)->form;
}

// The screen's pixels where the window stands, frame and all.
lumi::platform::Picture Grab(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  lumi::platform::Picture picture;
  picture.width = rect.right - rect.left;
  picture.height = rect.bottom - rect.top;
  if (picture.IsEmpty()) return {};
  uint32_t* pixels = nullptr;
  HBITMAP bitmap = lumi::platform::win32ui::CreateTopDownDib(picture.width, picture.height, &pixels);
  if (bitmap == nullptr) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  picture.pixels.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height);
  for (uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

bool Save(lumi::TElWin* window, const fs::path& path) {
  HWND handle = window == nullptr ? nullptr : WindowOf(window);
  const std::string png =
      handle == nullptr ? std::string() : lumi::platform::linux_backend::EncodePng(Grab(handle));
  FILE* file = png.empty() ? nullptr : _wfopen(path.wstring().c_str(), L"wb");
  const bool written = file != nullptr && std::fwrite(png.data(), 1, png.size(), file) == png.size();
  if (file != nullptr) std::fclose(file);
  if (!written) {
    std::fprintf(stderr, "lumiscope-screens: cannot write %s\n", path.string().c_str());
    return false;
  }
  std::printf("%s\n", path.string().c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumiscope-screens OUTDIR\n");
    return 2;
  }
  const fs::path out = argv[1];
  fs::create_directories(out);
  const fs::path folder =
      fs::temp_directory_path() / ("lumiscope-screens-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);

  lumi::platform::windows_backend::Install();
  if (!lumi::platform::win32ui::Win32Ui::DisplayAvailable()) {
    std::fprintf(stderr, "lumiscope-screens: no display\n");
    return 1;
  }
  lumi::platform::windows_backend::MessageLoop loop;
  lumi::platform::win32ui::Win32Ui ui;
  lumi::platform::SingleMessageBox boxes(ui);
  lumi::platform::windows_backend::WindowsSystem real_system;
  lumi::platform::MovedSystem system(real_system, folder.string() + "\\", "lumiscope.exe");
  lumi::test::FakeSerial serial;  // nothing real is written to
  auto& services = lumi::platform::Current();
  services.ui = &ui;
  services.loop = &loop;
  services.message_box = &boxes;
  services.system = &system;
  services.serial = &serial;

  bool ok = true;
  {
    auto scheme = std::make_unique<lumi::MainScheme>();
    scheme->Start();
    Settle(loop, 800);
    ok &= Save(scheme->form, out / "setup-mode.png");
    for (int type = 1; type < lumi::MainScheme::kEventTypes; ++type) {
      PickEventType(*scheme, type);
      Settle(loop, 300);
      ok &= Save(scheme->form, out / ("setup-type-" + std::to_string(type) + ".png"));
    }
    PickEventType(*scheme, 0);
    Press(scheme->debug_button);
    Settle(loop, 500);
    ok &= Save(FormOf<lumi::DebugWindow>(scheme->debug_window), out / "debug-window.png");
    Press(scheme->about_button);
    Settle(loop, 500);
    lumi::TElMainForm* about = FormOf<lumi::AboutWindow>(scheme->about_window);
    ok &= Save(about, out / "about-window.png");
    // Closed as by its close box, so that it does not stand over the work mode.
    if (about != nullptr) SendMessageW(WindowOf(about), WM_CLOSE, 0, 0);
    scheme->EnterWorkMode();
    Settle(loop, 1500);  // one cycle
    ok &= Save(scheme->form, out / "work-mode.png");
    lumi::DisableDispatchers();
  }
  lumi::platform::ResetServices();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return ok ? 0 : 1;
}
