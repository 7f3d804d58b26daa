#include "platform/linux/xkb_languages.h"

#include <cctype>
#include <string>

namespace lumi::platform::linux_backend {
namespace {

// A variant ending in "*" stands for every variant that starts with the rest
// ("ben*": ben, ben_probhat, ben_inscript ...). An empty variant is the layout's own
// language, used when no variant entry applies.
struct LayoutEntry {
  std::string_view layout;
  std::string_view variant;
  uint16_t language;
};

// Where one layout serves several languages (the Belgian layout, the Latin American
// one) it is given the language of its largest group of users.
constexpr LayoutEntry kLayouts[] = {
    {"af", "", 0x048C},         {"af", "ps", 0x0463},        {"af", "olpc-ps", 0x0463},
    {"al", "", 0x041C},         {"am", "", 0x042B},          {"ara", "", 0x0401},
    {"at", "", 0x0C07},         {"au", "", 0x0C09},          {"az", "", 0x042C},
    {"az", "cyrillic", 0x082C}, {"ba", "", 0x141A},          {"bd", "", 0x0845},
    {"be", "", 0x080C},         {"bg", "", 0x0402},          {"br", "", 0x0416},
    {"bt", "", 0x0C51},         {"bw", "", 0x0432},          {"by", "", 0x0423},
    {"ca", "", 0x0C0C},         {"ca", "eng", 0x1009},       {"ca", "ike", 0x045D},
    {"ch", "", 0x0807},         {"ch", "fr*", 0x100C},       {"cn", "", 0x0804},
    {"cn", "tib*", 0x0451},     {"cn", "ug", 0x0480},        {"cn", "mon_trad*", 0x0850},
    {"cz", "", 0x0405},         {"de", "", 0x0407},          {"de", "dsb*", 0x082E},
    {"dk", "", 0x0406},         {"dz", "", 0x085F},          {"dz", "ar", 0x1401},
    {"ee", "", 0x0425},         {"es", "", 0x0C0A},          {"es", "cat", 0x0403},
    {"et", "", 0x045E},         {"fi", "", 0x040B},          {"fi", "smi", 0x0C3B},
    {"fo", "", 0x0438},         {"fr", "", 0x040C},          {"fr", "bre", 0x047E},
    {"fr", "oci", 0x0482},      {"gb", "", 0x0809},          {"gb", "gla", 0x043C},
    {"ge", "", 0x0437},         {"gh", "hausa", 0x0468},     {"gh", "fula", 0x0467},
    {"gr", "", 0x0408},         {"hr", "", 0x041A},          {"hu", "", 0x040E},
    {"id", "", 0x0421},         {"ie", "", 0x1809},          {"ie", "CloGaelach", 0x083C},
    {"ie", "ogam*", 0x083C},    {"il", "", 0x040D},          {"in", "", 0x0439},
    {"in", "eng", 0x4009},      {"in", "ben*", 0x0445},      {"in", "guj*", 0x0447},
    {"in", "guru", 0x0446},     {"in", "jhelum", 0x0446},    {"in", "kan*", 0x044B},
    {"in", "mal*", 0x044C},     {"in", "ori*", 0x0448},      {"in", "tam*", 0x0449},
    {"in", "tel*", 0x044A},     {"in", "urd*", 0x0820},      {"in", "mar*", 0x044E},
    {"in", "san*", 0x044F},     {"iq", "", 0x0801},          {"iq", "ku*", 0x0492},
    {"ir", "", 0x0429},         {"is", "", 0x040F},          {"it", "", 0x0410},
    {"jp", "", 0x0411},         {"ke", "", 0x0441},          {"kg", "", 0x0440},
    {"kh", "", 0x0453},         {"kr", "", 0x0412},          {"kz", "", 0x043F},
    {"kz", "ruskaz", 0x0419},   {"la", "", 0x0454},          {"latam", "", 0x080A},
    {"lk", "", 0x045B},         {"lt", "", 0x0427},          {"lv", "", 0x0426},
    {"ma", "", 0x1801},         {"mao", "", 0x0481},         {"md", "", 0x0818},
    {"me", "", 0x2C1A},         {"me", "cyrillic*", 0x301A}, {"mk", "", 0x042F},
    {"mm", "", 0x0455},         {"mn", "", 0x0450},          {"mt", "", 0x043A},
    {"mv", "", 0x0465},         {"my", "", 0x043E},          {"ng", "igbo", 0x0470},
    {"ng", "yoruba", 0x046A},   {"ng", "hausa", 0x0468},     {"nl", "", 0x0413},
    {"no", "", 0x0414},         {"no", "smi*", 0x043B},      {"np", "", 0x0461},
    {"ph", "", 0x0464},         {"pk", "", 0x0420},          {"pk", "snd", 0x0859},
    {"pl", "", 0x0415},         {"pt", "", 0x0816},          {"ro", "", 0x0418},
    {"rs", "", 0x0C1A},         {"rs", "latin*", 0x081A},    {"ru", "", 0x0419},
    {"ru", "tt", 0x0444},       {"ru", "sah", 0x0485},       {"ru", "bak", 0x046D},
    {"se", "", 0x041D},         {"se", "smi", 0x083B},       {"si", "", 0x0424},
    {"sk", "", 0x041B},         {"sn", "", 0x0488},          {"sy", "", 0x2801},
    {"sy", "syc*", 0x045A},     {"th", "", 0x041E},          {"tj", "", 0x0428},
    {"tm", "", 0x0442},         {"tr", "", 0x041F},          {"tw", "", 0x0404},
    {"tz", "", 0x0441},         {"ua", "", 0x0422},          {"us", "", 0x0409},
    {"us", "rus", 0x0419},      {"us", "chr", 0x045C},       {"us", "haw", 0x0475},
    {"uz", "", 0x0843},         {"uz", "latin", 0x0443},     {"vn", "", 0x042A},
    {"za", "", 0x1C09},
};

struct LocaleEntry {
  std::string_view language;
  std::string_view territory;  // empty: any territory
  std::string_view modifier;   // empty: no modifier needed
  uint16_t id;
};

constexpr LocaleEntry kLocales[] = {
    {"af", "", "", 0x0436},   {"am", "", "", 0x045E},         {"ar", "", "", 0x0401},
    {"ar", "AE", "", 0x3801}, {"ar", "BH", "", 0x3C01},       {"ar", "DZ", "", 0x1401},
    {"ar", "EG", "", 0x0C01}, {"ar", "IQ", "", 0x0801},       {"ar", "JO", "", 0x2C01},
    {"ar", "KW", "", 0x3401}, {"ar", "LB", "", 0x3001},       {"ar", "LY", "", 0x1001},
    {"ar", "MA", "", 0x1801}, {"ar", "OM", "", 0x2001},       {"ar", "QA", "", 0x4001},
    {"ar", "SY", "", 0x2801}, {"ar", "TN", "", 0x1C01},       {"ar", "YE", "", 0x2401},
    {"az", "", "", 0x042C},   {"ba", "", "", 0x046D},         {"be", "", "", 0x0423},
    {"bg", "", "", 0x0402},   {"bn", "", "", 0x0445},         {"bn", "BD", "", 0x0845},
    {"bo", "", "", 0x0451},   {"br", "", "", 0x047E},         {"bs", "", "", 0x141A},
    {"ca", "", "", 0x0403},   {"co", "", "", 0x0483},         {"cs", "", "", 0x0405},
    {"cy", "", "", 0x0452},   {"da", "", "", 0x0406},         {"de", "", "", 0x0407},
    {"de", "AT", "", 0x0C07}, {"de", "CH", "", 0x0807},       {"de", "LI", "", 0x1407},
    {"de", "LU", "", 0x1007}, {"dsb", "", "", 0x082E},        {"dv", "", "", 0x0465},
    {"el", "", "", 0x0408},   {"en", "", "", 0x0409},         {"en", "AU", "", 0x0C09},
    {"en", "BZ", "", 0x2809}, {"en", "CA", "", 0x1009},       {"en", "GB", "", 0x0809},
    {"en", "IE", "", 0x1809}, {"en", "IN", "", 0x4009},       {"en", "JM", "", 0x2009},
    {"en", "MY", "", 0x4409}, {"en", "NZ", "", 0x1409},       {"en", "PH", "", 0x3409},
    {"en", "SG", "", 0x4809}, {"en", "TT", "", 0x2C09},       {"en", "ZA", "", 0x1C09},
    {"en", "ZW", "", 0x3009}, {"es", "", "", 0x0C0A},         {"es", "AR", "", 0x2C0A},
    {"es", "BO", "", 0x400A}, {"es", "CL", "", 0x340A},       {"es", "CO", "", 0x240A},
    {"es", "CR", "", 0x140A}, {"es", "DO", "", 0x1C0A},       {"es", "EC", "", 0x300A},
    {"es", "GT", "", 0x100A}, {"es", "HN", "", 0x480A},       {"es", "MX", "", 0x080A},
    {"es", "NI", "", 0x4C0A}, {"es", "PA", "", 0x180A},       {"es", "PE", "", 0x280A},
    {"es", "PR", "", 0x500A}, {"es", "PY", "", 0x3C0A},       {"es", "SV", "", 0x440A},
    {"es", "US", "", 0x540A}, {"es", "UY", "", 0x380A},       {"es", "VE", "", 0x200A},
    {"et", "", "", 0x0425},   {"eu", "", "", 0x042D},         {"fa", "", "", 0x0429},
    {"ff", "", "", 0x0467},   {"fi", "", "", 0x040B},         {"fil", "", "", 0x0464},
    {"fo", "", "", 0x0438},   {"fr", "", "", 0x040C},         {"fr", "BE", "", 0x080C},
    {"fr", "CA", "", 0x0C0C}, {"fr", "CH", "", 0x100C},       {"fr", "LU", "", 0x140C},
    {"fr", "MC", "", 0x180C}, {"fy", "", "", 0x0462},         {"ga", "", "", 0x083C},
    {"gd", "", "", 0x043C},   {"gl", "", "", 0x0456},         {"gu", "", "", 0x0447},
    {"ha", "", "", 0x0468},   {"he", "", "", 0x040D},         {"hi", "", "", 0x0439},
    {"hr", "", "", 0x041A},   {"hsb", "", "", 0x042E},        {"hu", "", "", 0x040E},
    {"hy", "", "", 0x042B},   {"id", "", "", 0x0421},         {"ig", "", "", 0x0470},
    {"is", "", "", 0x040F},   {"it", "", "", 0x0410},         {"it", "CH", "", 0x0810},
    {"iu", "", "", 0x045D},   {"ja", "", "", 0x0411},         {"ka", "", "", 0x0437},
    {"kk", "", "", 0x043F},   {"kl", "", "", 0x046F},         {"km", "", "", 0x0453},
    {"kn", "", "", 0x044B},   {"ko", "", "", 0x0412},         {"kok", "", "", 0x0457},
    {"ky", "", "", 0x0440},   {"lb", "", "", 0x046E},         {"lo", "", "", 0x0454},
    {"lt", "", "", 0x0427},   {"lv", "", "", 0x0426},         {"mi", "", "", 0x0481},
    {"mk", "", "", 0x042F},   {"ml", "", "", 0x044C},         {"mn", "", "", 0x0450},
    {"mr", "", "", 0x044E},   {"ms", "", "", 0x043E},         {"ms", "BN", "", 0x083E},
    {"mt", "", "", 0x043A},   {"nb", "", "", 0x0414},         {"ne", "", "", 0x0461},
    {"ne", "IN", "", 0x0861}, {"nl", "", "", 0x0413},         {"nl", "BE", "", 0x0813},
    {"nn", "", "", 0x0814},   {"no", "", "", 0x0414},         {"oc", "", "", 0x0482},
    {"or", "", "", 0x0448},   {"pa", "", "", 0x0446},         {"pa", "PK", "", 0x0846},
    {"pl", "", "", 0x0415},   {"ps", "", "", 0x0463},         {"pt", "", "", 0x0816},
    {"pt", "BR", "", 0x0416}, {"qu", "", "", 0x046B},         {"rm", "", "", 0x0417},
    {"ro", "", "", 0x0418},   {"ro", "MD", "", 0x0818},       {"ru", "", "", 0x0419},
    {"ru", "MD", "", 0x0819}, {"rw", "", "", 0x0487},         {"sa", "", "", 0x044F},
    {"sah", "", "", 0x0485},  {"sd", "", "", 0x0459},         {"se", "", "", 0x043B},
    {"se", "FI", "", 0x0C3B}, {"se", "SE", "", 0x083B},       {"si", "", "", 0x045B},
    {"sk", "", "", 0x041B},   {"sl", "", "", 0x0424},         {"so", "", "", 0x0477},
    {"sq", "", "", 0x041C},   {"sr", "", "", 0x0C1A},         {"sr", "", "latin", 0x081A},
    {"sr", "BA", "", 0x1C1A}, {"sr", "BA", "latin", 0x181A},  {"st", "", "", 0x0430},
    {"sv", "", "", 0x041D},   {"sv", "FI", "", 0x081D},       {"sw", "", "", 0x0441},
    {"syr", "", "", 0x045A},  {"ta", "", "", 0x0449},         {"te", "", "", 0x044A},
    {"tg", "", "", 0x0428},   {"th", "", "", 0x041E},         {"ti", "", "", 0x0473},
    {"tk", "", "", 0x0442},   {"tn", "", "", 0x0432},         {"tr", "", "", 0x041F},
    {"ts", "", "", 0x0431},   {"tt", "", "", 0x0444},         {"ug", "", "", 0x0480},
    {"uk", "", "", 0x0422},   {"ur", "", "", 0x0420},         {"ur", "IN", "", 0x0820},
    {"uz", "", "", 0x0443},   {"uz", "", "cyrillic", 0x0843}, {"vi", "", "", 0x042A},
    {"wo", "", "", 0x0488},   {"xh", "", "", 0x0434},         {"yo", "", "", 0x046A},
    {"zh", "", "", 0x0804},   {"zh", "HK", "", 0x0C04},       {"zh", "MO", "", 0x1404},
    {"zh", "SG", "", 0x1004}, {"zh", "TW", "", 0x0404},       {"zu", "", "", 0x0435},
};

bool VariantMatches(std::string_view pattern, std::string_view variant) {
  if (!pattern.empty() && pattern.back() == '*') {
    pattern.remove_suffix(1);
    return variant.substr(0, pattern.size()) == pattern;
  }
  return pattern == variant;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// Entry `index` of a comma-separated list; empty past its end.
std::string_view Item(std::string_view list, int index) {
  for (int i = 0; i < index; ++i) {
    const size_t comma = list.find(',');
    if (comma == std::string_view::npos) return {};
    list.remove_prefix(comma + 1);
  }
  return Trim(list.substr(0, list.find(',')));
}

}  // namespace

uint16_t LanguageOfLayout(std::string_view layout, std::string_view variant) {
  if (layout.empty()) return 0;
  if (!variant.empty()) {
    for (const LayoutEntry& e : kLayouts)
      if (e.layout == layout && !e.variant.empty() && VariantMatches(e.variant, variant)) return e.language;
  }
  for (const LayoutEntry& e : kLayouts)
    if (e.layout == layout && e.variant.empty()) return e.language;
  return 0;
}

int32_t LayoutValueOfGroup(std::string_view layouts, std::string_view variants, int group) {
  if (group < 0) return 0;
  std::string_view layout = Item(layouts, group);
  std::string_view variant = Item(variants, group);
  // "us(intl)": the variant written into the layout entry itself.
  const size_t open = layout.find('(');
  if (open != std::string_view::npos) {
    std::string_view inner = layout.substr(open + 1);
    const size_t close = inner.find(')');
    if (variant.empty()) variant = Trim(inner.substr(0, close));
    layout = Trim(layout.substr(0, open));
  }
  return LayoutValue(LanguageOfLayout(layout, variant));
}

uint16_t LanguageOfLocale(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  std::string_view modifier;
  const size_t at = locale.find('@');
  if (at != std::string_view::npos) {
    modifier = locale.substr(at + 1);
    locale = locale.substr(0, at);
  }
  locale = locale.substr(0, locale.find('.'));
  std::string_view territory;
  const size_t underscore = locale.find('_');
  if (underscore != std::string_view::npos) {
    territory = locale.substr(underscore + 1);
    locale = locale.substr(0, underscore);
  }
  std::string language(locale);
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string country(territory);
  for (char& c : country) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

  // The most specific entry wins: territory and modifier, then either one, then the
  // language alone.
  const LocaleEntry* best = nullptr;
  int best_score = -1;
  for (const LocaleEntry& e : kLocales) {
    if (e.language != language) continue;
    if (!e.territory.empty() && e.territory != country) continue;
    if (!e.modifier.empty() && e.modifier != modifier) continue;
    const int score = (e.modifier.empty() ? 0 : 2) + (e.territory.empty() ? 0 : 1);
    if (score > best_score) {
      best = &e;
      best_score = score;
    }
  }
  return best != nullptr ? best->id : kUsEnglish;
}

uint16_t LanguageOfEnvironment(const char* lc_all, const char* lc_ctype, const char* lang) {
  for (const char* value : {lc_all, lc_ctype, lang})
    if (value != nullptr && value[0] != '\0') return LanguageOfLocale(value);
  return kUsEnglish;
}

}  // namespace lumi::platform::linux_backend
