#include "platform/linux/x11_keyboard.h"

#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/linux/xkb_languages.h"

// Last: the macros of Xlib (None, Bool, Status) may clash with the headers above.
#include <X11/Xatom.h>

#include "platform/linux/xlib.h"

namespace lumi::platform::linux_backend {
namespace {

constexpr std::chrono::seconds kRetryAfter{30};

// Held over every stretch of our own Xlib calls, so that a fault on our connection
// never ends the program and nobody else's handlers are disturbed:
//  - Xlib's handlers for protocol and I/O errors end the program. Ours take their
//    place for the time of the calls and are put back afterwards; they ignore what
//    happens on our connection and pass everything else to the handler they replaced.
//    After an ignored I/O error Xlib calls the connection's exit handler, which marks
//    the connection lost.
//  - Writing to an X server that has gone away raises SIGPIPE, whose default action
//    ends the program before Xlib sees the lost connection. It is blocked on this
//    thread meanwhile, and one raised in between is taken back.
class XCallScope {
 public:
  XCallScope(const XlibFunctions& x, Display* const* watched) : x_(x) {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    pipe_was_pending_ = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe_, &old_mask_);

    outer_watched_ = t_watched;
    t_watched = watched;
    outer_error_ = x_.SetErrorHandler(&OnError);
    outer_io_error_ = x_.SetIOErrorHandler(&OnIoError);
    outer_scope_ = t_scope;
    t_scope = this;
  }

  ~XCallScope() {
    t_scope = outer_scope_;
    x_.SetIOErrorHandler(outer_io_error_);
    x_.SetErrorHandler(outer_error_);
    t_watched = outer_watched_;

    if (!pipe_was_pending_) {
      sigset_t pending;
      sigemptyset(&pending);
      if (sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1) {
        const timespec no_wait{};
        while (sigtimedwait(&pipe_, nullptr, &no_wait) < 0 && errno == EINTR) {
        }
      }
    }
    pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
  }

  XCallScope(const XCallScope&) = delete;
  XCallScope& operator=(const XCallScope&) = delete;

 private:
  static bool Ours(Display* display) { return t_watched != nullptr && *t_watched == display; }

  static int OnError(Display* display, XErrorEvent* event) {
    if (Ours(display) || t_scope == nullptr || t_scope->outer_error_ == nullptr) return 0;
    return t_scope->outer_error_(display, event);
  }

  static int OnIoError(Display* display) {
    if (Ours(display) || t_scope == nullptr || t_scope->outer_io_error_ == nullptr) return 0;
    return t_scope->outer_io_error_(display);
  }

  static thread_local Display* const* t_watched;
  static thread_local XCallScope* t_scope;

  const XlibFunctions& x_;
  sigset_t pipe_;
  sigset_t old_mask_;
  bool pipe_was_pending_ = false;
  Display* const* outer_watched_ = nullptr;
  XCallScope* outer_scope_ = nullptr;
  XErrorHandler outer_error_ = nullptr;
  XIOErrorHandler outer_io_error_ = nullptr;
};

thread_local Display* const* XCallScope::t_watched = nullptr;
thread_local XCallScope* XCallScope::t_scope = nullptr;

// One 32-bit item property of the root window; empty when it is missing, of another
// format, or the request failed.
std::vector<unsigned long> ReadRootProperty32(const XlibFunctions& x, Display* display, const char* name,
                                              Atom type) {
  std::vector<unsigned long> items;
  const Atom property = x.InternAtom(display, name, True);
  if (property == None) return items;
  Atom actual_type = None;
  int actual_format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = x.GetWindowProperty(display, DefaultRootWindow(display), property, 0, 1, False, type,
                                         &actual_type, &actual_format, &count, &remaining, &data);
  if (status == Success && data != nullptr && actual_format == 32) {
    // Xlib hands 32-bit items out as longs.
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data != nullptr) x.Free(data);
  return items;
}

// The NUL-separated strings of _XKB_RULES_NAMES: rules, model, layouts, variants,
// options.
std::vector<std::string> ReadRulesNames(const XlibFunctions& x, Display* display) {
  std::vector<std::string> fields;
  const Atom property = x.InternAtom(display, "_XKB_RULES_NAMES", True);
  if (property == None) return fields;
  Atom actual_type = None;
  int actual_format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status =
      x.GetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, AnyPropertyType,
                          &actual_type, &actual_format, &count, &remaining, &data);
  if (status == Success && data != nullptr && actual_format == 8) {
    std::string_view rest(reinterpret_cast<const char*>(data), count);
    while (!rest.empty()) {
      const size_t end = rest.find('\0');
      fields.emplace_back(rest.substr(0, end));
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }
  if (data != nullptr) x.Free(data);
  return fields;
}

}  // namespace

LinuxKeyboard::LinuxKeyboard(std::string display_name) : display_name_(std::move(display_name)) {}

LinuxKeyboard::~LinuxKeyboard() {
  if (display_ == nullptr) return;
  XCallScope scope(*xlib_, &display_);
  Disconnect();
}

void LinuxKeyboard::OnConnectionLost(_XDisplay*, void* self) {
  // Xlib's default here is exit(): the program must outlive its X server. Returning
  // leaves the connection unusable; it is closed at the next question.
  static_cast<LinuxKeyboard*>(self)->lost_ = true;
}

bool LinuxKeyboard::Connect() {
  if (lost_) Disconnect();
  if (display_ != nullptr) return true;
  const auto now = std::chrono::steady_clock::now();
  if (tried_ && now - last_attempt_ < kRetryAfter) return false;
  tried_ = true;
  last_attempt_ = now;

  if (xlib_ == nullptr) xlib_ = LoadXlib(display_name_);
  if (xlib_ == nullptr) return false;
  display_ = xlib_->OpenDisplay(display_name_.empty() ? nullptr : display_name_.c_str());
  if (display_ == nullptr) return false;
  xlib_->SetIOErrorExitHandler(display_, &LinuxKeyboard::OnConnectionLost, this);
  int opcode = 0;
  int event = 0;
  int error = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  xkb_ = xlib_->QueryExtension(display_, &opcode, &event, &error, &major, &minor) == True;
  if (lost_) {
    Disconnect();
    return false;
  }
  return true;
}

void LinuxKeyboard::Disconnect() {
  if (display_ != nullptr) xlib_->CloseDisplay(display_);
  display_ = nullptr;
  xkb_ = false;
  lost_ = false;
}

int32_t LinuxKeyboard::FallbackLayout() const {
  return LayoutValue(
      LanguageOfEnvironment(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG")));
}

int32_t LinuxKeyboard::ForegroundWindow() {
  xlib_ = LoadXlib(display_name_);
  if (xlib_ == nullptr) return 0;
  XCallScope scope(*xlib_, &display_);
  if (!Connect()) return 0;
  const std::vector<unsigned long> active =
      ReadRootProperty32(*xlib_, display_, "_NET_ACTIVE_WINDOW", XA_WINDOW);
  if (lost_ || active.empty()) return 0;
  // Window ids have 29 significant bits; the handle travels as a 32-bit integer.
  return static_cast<int32_t>(static_cast<uint32_t>(active.front()));
}

int32_t LinuxKeyboard::LayoutOf(int32_t) {
  xlib_ = LoadXlib(display_name_);
  if (xlib_ == nullptr) return FallbackLayout();
  XCallScope scope(*xlib_, &display_);
  if (!Connect()) return FallbackLayout();
  int group = 0;
  if (xkb_) {
    XkbStateRec state{};
    if (xlib_->GetState(display_, XkbUseCoreKbd, &state) == Success) group = state.group;
  }
  const std::vector<std::string> names = ReadRulesNames(*xlib_, display_);
  if (lost_ || names.size() < 3) return FallbackLayout();
  return LayoutValueOfGroup(names[2], names.size() > 3 ? std::string_view(names[3]) : std::string_view(),
                            group);
}

}  // namespace lumi::platform::linux_backend
