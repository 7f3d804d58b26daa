#include "platform/qt/qt_keys.h"

#include <Qt>
#include <array>
#include <utility>

namespace lumi::platform::qt_backend {
namespace {

constexpr int32_t kOem1 = 0xBA;       // ;:
constexpr int32_t kOemPlus = 0xBB;    // =+
constexpr int32_t kOemComma = 0xBC;   // ,<
constexpr int32_t kOemMinus = 0xBD;   // -_
constexpr int32_t kOemPeriod = 0xBE;  // .>
constexpr int32_t kOem2 = 0xBF;       // /?
constexpr int32_t kOem3 = 0xC0;       // `~
constexpr int32_t kOem4 = 0xDB;       // [{
constexpr int32_t kOem5 = 0xDC;       // \|
constexpr int32_t kOem6 = 0xDD;       // ]}
constexpr int32_t kOem7 = 0xDE;       // '"
constexpr int32_t kOem102 = 0xE2;     // the extra key beside the left Shift

int32_t NonCharacterKey(int key) {
  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Select: return 41;
    case Qt::Key_Printer: return 42;
    case Qt::Key_Execute: return 43;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Help: return 47;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 0x5B;
    case Qt::Key_Super_R: return 0x5C;
    case Qt::Key_Menu: return 0x5D;
    case Qt::Key_Sleep: return 0x5F;
    case Qt::Key_NumLock: return 0x90;
    case Qt::Key_ScrollLock: return 0x91;
    case Qt::Key_VolumeMute: return 0xAD;
    case Qt::Key_VolumeDown: return 0xAE;
    case Qt::Key_VolumeUp: return 0xAF;
    case Qt::Key_MediaNext: return 0xB0;
    case Qt::Key_MediaPrevious: return 0xB1;
    case Qt::Key_MediaStop: return 0xB2;
    case Qt::Key_MediaTogglePlayPause:
    case Qt::Key_MediaPlay: return 0xB3;
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
  return 0;
}

int32_t KeypadKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return 0x60 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk: return 0x6A;
    case Qt::Key_Plus: return 0x6B;
    case Qt::Key_Minus: return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 0x6E;
    case Qt::Key_Slash: return 0x6F;
    default: return 0;
  }
}

// X key codes (evdev + 8) of the character keys, by their US names.
int32_t KeyOfScanCode(quint32 code) {
  static constexpr std::array<int32_t, 62> kFrom10 = {
      '1', '2',   '3', '4', '5', '6', '7', '8',       '9',        '0',   kOemMinus, kOemPlus,  // 10..21
      0,   0,  // 22..23 backspace, tab
      'Q', 'W',   'E', 'R', 'T', 'Y', 'U', 'I',       'O',        'P',   kOem4,     kOem6,  // 24..35
      0,   0,  // 36..37 return, control
      'A', 'S',   'D', 'F', 'G', 'H', 'J', 'K',       'L',        kOem1, kOem7,     kOem3,  // 38..49
      0,   kOem5,                                                                           // 50..51
      'Z', 'X',   'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOem2,                    // 52..61
      0,   0,     0,   0,   0,   0,   0,   0,         0,          0};                       // 62..71
  if (code == 94) return kOem102;
  if (code < 10 || code >= 10 + kFrom10.size()) return 0;
  return kFrom10[code - 10];
}

// The Russian layout's letters on the US key names.
int32_t KeyOfCyrillic(int key) {
  static constexpr std::array<std::pair<char16_t, int32_t>, 33> kLetters = {{
      {u'Й', 'Q'},       {u'Ц', 'W'},        {u'У', 'E'},   {u'К', 'R'},   {u'Е', 'T'},   {u'Н', 'Y'},
      {u'Г', 'U'},       {u'Ш', 'I'},        {u'Щ', 'O'},   {u'З', 'P'},   {u'Х', kOem4}, {u'Ъ', kOem6},
      {u'Ф', 'A'},       {u'Ы', 'S'},        {u'В', 'D'},   {u'А', 'F'},   {u'П', 'G'},   {u'Р', 'H'},
      {u'О', 'J'},       {u'Л', 'K'},        {u'Д', 'L'},   {u'Ж', kOem1}, {u'Э', kOem7}, {u'Я', 'Z'},
      {u'Ч', 'X'},       {u'С', 'C'},        {u'М', 'V'},   {u'И', 'B'},   {u'Т', 'N'},   {u'Ь', 'M'},
      {u'Б', kOemComma}, {u'Ю', kOemPeriod}, {u'Ё', kOem3},
  }};
  // Qt names letter keys by their upper-case character; accept the lower case too.
  const int upper = (key >= 0x430 && key <= 0x44F) ? key - 0x20 : (key == 0x451 ? 0x401 : key);
  for (const auto& [letter, vk] : kLetters) {
    if (upper == letter) return vk;
  }
  return 0;
}

int32_t KeyOfPunctuation(int key) {
  switch (key) {
    case Qt::Key_Space: return 32;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return kOem1;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return kOemPlus;
    case Qt::Key_Comma:
    case Qt::Key_Less: return kOemComma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return kOemMinus;
    case Qt::Key_Period:
    case Qt::Key_Greater: return kOemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question: return kOem2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return kOem3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return kOem4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return kOem5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return kOem6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return kOem7;
    // The shifted digits of the US layout.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
  }
}

}  // namespace

int32_t VirtualKeyOf(int qt_key, bool keypad, quint32 native_scan_code) {
  if (keypad) {
    if (int32_t vk = KeypadKey(qt_key)) return vk;
  }
  if (int32_t vk = NonCharacterKey(qt_key)) return vk;
  if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) || (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9))
    return qt_key;
  if (qt_key == Qt::Key_Space) return 32;
  if (int32_t vk = KeyOfScanCode(native_scan_code)) return vk;
  if (int32_t vk = KeyOfCyrillic(qt_key)) return vk;
  return KeyOfPunctuation(qt_key);
}

}  // namespace lumi::platform::qt_backend
