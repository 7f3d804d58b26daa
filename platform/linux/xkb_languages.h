#pragma once

#include <cstdint>
#include <string_view>

// Where Linux names a keyboard layout or a locale, the program needs the Windows form:
// a language identifier (Russian 0x0419), and as a layout value that identifier in both
// 16-bit halves (0x04190419), so that the language table applies unchanged.
namespace lumi::platform::linux_backend {

inline constexpr uint16_t kUsEnglish = 0x0409;

// The language identifier in both halves; 0 stays 0 ("no language").
constexpr int32_t LayoutValue(uint16_t language) {
  return static_cast<int32_t>((static_cast<uint32_t>(language) << 16) | language);
}

// The language of an XKB layout ("ru") with its variant ("phonetic", "tt", or empty):
// a variant that changes the language (ru "tt" is Tatar, ca "eng" is Canadian English)
// is looked up first, otherwise the layout alone decides. 0 for a layout we do not
// know (Esperanto, braille, ...): such a layout matches no language of the table.
uint16_t LanguageOfLayout(std::string_view layout, std::string_view variant = {});

// The layout value of group `group` (0-based) of the comma-separated layout and variant
// lists an X server publishes in _XKB_RULES_NAMES ("us,ru" and ",phonetic"). A layout
// entry may carry its variant in parentheses ("us(intl)"). 0 when the group has no
// layout or an unknown one.
int32_t LayoutValueOfGroup(std::string_view layouts, std::string_view variants, int group);

// The language of a POSIX locale name ("ru_RU.UTF-8", "sr_RS@latin", "de"); US English
// for "C", "POSIX", an empty name or a language we do not know.
uint16_t LanguageOfLocale(std::string_view locale);

// The language of the character-type locale as the C library would choose it: the
// first non-empty of LC_ALL, LC_CTYPE and LANG (any of them may be null).
uint16_t LanguageOfEnvironment(const char* lc_all, const char* lc_ctype, const char* lang);

}  // namespace lumi::platform::linux_backend
