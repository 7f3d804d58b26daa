#include "resources/resources.h"

#include "resources/about_text.h"
#include "resources/default_settings.h"
#include "resources/language_table.h"

namespace lumi::resources {

const std::string& Text(std::string_view name) {
  if (name == "Str1") return DefaultSettings();
  if (name == "Str2") return AboutText();
  if (name == "Str3") return LanguageNames();
  if (name == "Str4") return LanguageLayouts();
  static const std::string kNone;
  return kNone;
}

}  // namespace lumi::resources
