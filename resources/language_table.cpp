#include "resources/language_table.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/cp1251.h"

namespace lumi::resources {
namespace {

struct Row {
  std::string_view english;  // only fixes the order of the rows
  uint16_t language;         // Windows language identifier
  std::string_view name;     // UTF-8 here; Windows-1251 in the texts handed out
};

// clang-format off
constexpr Row kRows[] = {
    {"Afrikaans - South Africa", 0x0436, "Африкаанс - Южная Африка"},
    {"Albanian - Albania", 0x041C, "Албанский"},
    {"Arabic - Algeria", 0x1401, "Арабский - Алжир"},
    {"Arabic - Bahrain", 0x3C01, "Арабский - Бахрейн"},
    {"Arabic - Egypt", 0x0C01, "Арабский - Египет"},
    {"Arabic - Iraq", 0x0801, "Арабский - Ирак"},
    {"Arabic - Jordan", 0x2C01, "Арабский - Иордания"},
    {"Arabic - Kuwait", 0x3401, "Арабский - Кувейт"},
    {"Arabic - Lebanon", 0x3001, "Арабский - Ливан"},
    {"Arabic - Libya", 0x1001, "Арабский - Ливия"},
    {"Arabic - Morocco", 0x1801, "Арабский - Марокко"},
    {"Arabic - Oman", 0x2001, "Арабский - Оман"},
    {"Arabic - Qatar", 0x4001, "Арабский - Катар"},
    {"Arabic - Saudi Arabia", 0x0401, "Арабский - Саудовская Аравия"},
    {"Arabic - Syria", 0x2801, "Арабский - Сирия"},
    {"Arabic - Tunisia", 0x1C01, "Арабский - Тунис"},
    {"Arabic - U.A.E.", 0x3801, "Арабский - ОАЭ"},
    {"Arabic - Yemen", 0x2401, "Арабский - Йемен"},
    {"Armenian - Armenia", 0x042B, "Армянский"},
    {"Azeri (Cyrillic) - Azerbaijan", 0x082C, "Азербайджанский (кириллица)"},
    {"Azeri (Latin) - Azerbaijan", 0x042C, "Азербайджанский (латиница)"},
    {"Basque - Basque", 0x042D, "Баскский"},
    {"Belarusian - Belarus", 0x0423, "Белорусский"},
    {"Bengali - India", 0x0445, "Бенгальский"},
    {"Bosnian (Latin) - Bosnia and Herzegovina", 0x141A, "Боснийский"},
    {"Bulgarian - Bulgaria", 0x0402, "Болгарский"},
    {"Catalan - Catalan", 0x0403, "Каталанский"},
    {"Chinese - Hong Kong SAR", 0x0C04, "Китайский - Гонконг"},
    {"Chinese - PRC", 0x0804, "Китайский - КНР"},
    {"Chinese - Singapore", 0x1004, "Китайский - Сингапур"},
    {"Chinese - Taiwan", 0x0404, "Китайский - Тайвань"},
    {"Croatian - Croatia", 0x041A, "Хорватский"},
    {"Czech - Czech Republic", 0x0405, "Чешский"},
    {"Danish - Denmark", 0x0406, "Датский"},
    {"Dutch - Belgium", 0x0813, "Нидерландский - Бельгия"},
    {"Dutch - Netherlands", 0x0413, "Нидерландский - Нидерланды"},
    {"English - Australia", 0x0C09, "Английский - Австралия"},
    {"English - Canada", 0x1009, "Английский - Канада"},
    {"English - Caribbean", 0x2409, "Английский - Карибский регион"},
    {"English - India", 0x4009, "Английский - Индия"},
    {"English - Ireland", 0x1809, "Английский - Ирландия"},
    {"English - Jamaica", 0x2009, "Английский - Ямайка"},
    {"English - New Zealand", 0x1409, "Английский - Новая Зеландия"},
    {"English - South Africa", 0x1C09, "Английский - Южная Африка"},
    {"English - United Kingdom", 0x0809, "Английский - Великобритания"},
    {"English - United States", 0x0409, "Английский - США"},
    {"English - Zimbabwe", 0x3009, "Английский - Зимбабве"},
    {"Estonian - Estonia", 0x0425, "Эстонский"},
    {"Faroese - Faroe Islands", 0x0438, "Фарерский"},
    {"Filipino - Philippines", 0x0464, "Филиппинский"},
    {"Finnish - Finland", 0x040B, "Финский"},
    {"French - Belgium", 0x080C, "Французский - Бельгия"},
    {"French - Cameroon", 0x2C0C, "Французский - Камерун"},
    {"French - Canada", 0x0C0C, "Французский - Канада"},
    {"French - Caribbean", 0x1C0C, "Французский - Карибский регион"},
    {"French - Congo (DRC)", 0x240C, "Французский - Конго (ДРК)"},
    {"French - Cote d'Ivoire", 0x300C, "Французский - Кот-д'Ивуар"},
    {"French - France", 0x040C, "Французский - Франция"},
    {"French - Haiti", 0x3C0C, "Французский - Гаити"},
    {"French - Luxembourg", 0x140C, "Французский - Люксембург"},
    {"French - Mali", 0x340C, "Французский - Мали"},
    {"French - Monaco", 0x180C, "Французский - Монако"},
    {"French - Morocco", 0x380C, "Французский - Марокко"},
    {"French - Reunion", 0x200C, "Французский - Реюньон"},
    {"French - Senegal", 0x280C, "Французский - Сенегал"},
    {"French - Switzerland", 0x100C, "Французский - Швейцария"},
    {"Frisian - Netherlands", 0x0462, "Фризский"},
    {"Fulfulde - Nigeria", 0x0467, "Фульфульде - Нигерия"},
    {"Fulfulde - Senegal", 0x0867, "Фульфульде - Сенегал"},
    {"Gaelic - Scotland", 0x043C, "Гэльский"},
    {"Galician - Galician", 0x0456, "Галисийский"},
    {"Georgian - Georgia", 0x0437, "Грузинский"},
    {"German - Austria", 0x0C07, "Немецкий - Австрия"},
    {"German - Germany", 0x0407, "Немецкий - Германия"},
    {"German - Liechtenstein", 0x1407, "Немецкий - Лихтенштейн"},
    {"German - Luxembourg", 0x1007, "Немецкий - Люксембург"},
    {"German - Switzerland", 0x0807, "Немецкий - Швейцария"},
    {"Greek - Greece", 0x0408, "Греческий"},
    {"Greenlandic - Greenland", 0x046F, "Гренландский"},
    {"Guarani - Paraguay", 0x0474, "Гуарани"},
    {"Gujarati - India", 0x0447, "Гуджарати"},
    {"Hausa (Latin) - Nigeria", 0x0468, "Хауса"},
    {"Hawaiian - United States", 0x0475, "Гавайский"},
    {"Hebrew - Israel", 0x040D, "Иврит"},
    {"Hindi - India", 0x0439, "Хинди"},
    {"Hungarian - Hungary", 0x040E, "Венгерский"},
    {"Ibibio - Nigeria", 0x0469, "Ибибио"},
    {"Icelandic - Iceland", 0x040F, "Исландский"},
    {"Igbo - Nigeria", 0x0470, "Игбо"},
    {"Indonesian - Indonesia", 0x0421, "Индонезийский"},
    {"Inuktitut (Latin) - Canada", 0x085D, "Инуктитут (латиница)"},
    {"Inuktitut (Syllabics) - Canada", 0x045D, "Инуктитут (слоговое письмо)"},
    {"Irish - Ireland", 0x083C, "Ирландский"},
    {"Italian - Italy", 0x0410, "Итальянский - Италия"},
    {"Italian - Switzerland", 0x0810, "Итальянский - Швейцария"},
    {"Japanese - Japan", 0x0411, "Японский"},
    {"Kannada - India", 0x044B, "Каннада"},
    {"Kanuri - Nigeria", 0x0471, "Канури"},
    {"Kashmiri (Arabic)", 0x0460, "Кашмири (арабское письмо)"},
    {"Kashmiri (Devanagari) - India", 0x0860, "Кашмири (деванагари)"},
    {"Kazakh - Kazakhstan", 0x043F, "Казахский"},
    {"Khmer - Cambodia", 0x0453, "Кхмерский"},
    {"Kiche - Guatemala", 0x0486, "Киче"},
    {"Kinyarwanda - Rwanda", 0x0487, "Киньяруанда"},
    {"Kiswahili - Kenya", 0x0441, "Суахили"},
    {"Konkani - India", 0x0457, "Конкани"},
    {"Korean (Johab) - Korea", 0x0812, "Корейский (джохаб)"},
    {"Korean - Korea", 0x0412, "Корейский"},
    {"Kurdish - Iraq", 0x0492, "Курдский"},
    {"Kyrgyz - Kyrgyzstan", 0x0440, "Киргизский"},
    {"Lao - Lao P.D.R.", 0x0454, "Лаосский"},
    {"Latin", 0x0476, "Латинский"},
    {"Latvian - Latvia", 0x0426, "Латышский"},
    {"Lithuanian (Classic) - Lithuania", 0x0827, "Литовский (классический)"},
    {"Lithuanian - Lithuania", 0x0427, "Литовский"},
    {"Lower Sorbian - Germany", 0x082E, "Нижнелужицкий"},
    {"Luxembourgish - Luxembourg", 0x046E, "Люксембургский"},
    {"Macedonian - Macedonia", 0x042F, "Македонский"},
    {"Malay - Brunei Darussalam", 0x083E, "Малайский - Бруней"},
    {"Malay - Malaysia", 0x043E, "Малайский - Малайзия"},
    {"Malayalam - India", 0x044C, "Малаялам"},
    {"Maltese - Malta", 0x043A, "Мальтийский"},
    {"Manipuri - India", 0x0458, "Манипури"},
    {"Maori - New Zealand", 0x0481, "Маори"},
    {"Mapudungun - Chile", 0x047A, "Мапудунгун"},
    {"Marathi - India", 0x044E, "Маратхи"},
    {"Mohawk - Canada", 0x047C, "Мохаук"},
    {"Mongolian (Cyrillic) - Mongolia", 0x0450, "Монгольский (кириллица)"},
    {"Mongolian (Traditional) - Mongolia", 0x0C50, "Монгольский (старописьменный) - Монголия"},
    {"Mongolian (Traditional) - PRC", 0x0850, "Монгольский (старописьменный) - КНР"},
    {"Nepali - India", 0x0861, "Непальский - Индия"},
    {"Nepali - Nepal", 0x0461, "Непальский - Непал"},
    {"Northern Sotho - South Africa", 0x046C, "Северный сото"},
    {"Norwegian (Bokmal) - Norway", 0x0414, "Норвежский (букмол)"},
    {"Norwegian (Nynorsk) - Norway", 0x0814, "Норвежский (нюнорск)"},
    {"Occitan - France", 0x0482, "Окситанский"},
    {"Oriya - India", 0x0448, "Ория"},
    {"Oromo - Ethiopia", 0x0472, "Оромо"},
    {"Papiamentu - Netherlands Antilles", 0x0479, "Папьяменто"},
    {"Pashto - Afghanistan", 0x0463, "Пушту"},
    {"Persian - Iran", 0x0429, "Персидский"},
    {"Polish - Poland", 0x0415, "Польский"},
    {"Portuguese - Brazil", 0x0416, "Португальский - Бразилия"},
    {"Portuguese - Portugal", 0x0816, "Португальский - Португалия"},
    {"Punjabi - India", 0x0446, "Панджаби - Индия"},
    {"Punjabi - Pakistan", 0x0846, "Панджаби - Пакистан"},
    {"Quechua - Bolivia", 0x046B, "Кечуа - Боливия"},
    {"Quechua - Ecuador", 0x086B, "Кечуа - Эквадор"},
    {"Quechua - Peru", 0x0C6B, "Кечуа - Перу"},
    {"Romanian - Moldova", 0x0818, "Румынский - Молдова"},
    {"Romanian - Romania", 0x0418, "Румынский - Румыния"},
    {"Romansh - Switzerland", 0x0417, "Ретороманский"},
    {"Russian - Moldova", 0x0819, "Русский - Молдова"},
    {"Russian - Russia", 0x0419, "Русский"},
    {"Sami (Inari) - Finland", 0x243B, "Саамский (инари) - Финляндия"},
    {"Sami (Lule) - Norway", 0x103B, "Саамский (луле) - Норвегия"},
    {"Sami (Lule) - Sweden", 0x143B, "Саамский (луле) - Швеция"},
    {"Sami (Northern) - Finland", 0x0C3B, "Саамский (северный) - Финляндия"},
    {"Sami (Northern) - Norway", 0x043B, "Саамский (северный) - Норвегия"},
    {"Sami (Northern) - Sweden", 0x083B, "Саамский (северный) - Швеция"},
    {"Sami (Skolt) - Finland", 0x203B, "Саамский (колтта) - Финляндия"},
    {"Sami (Southern) - Norway", 0x183B, "Саамский (южный) - Норвегия"},
    {"Sami (Southern) - Sweden", 0x1C3B, "Саамский (южный) - Швеция"},
    {"Sanskrit - India", 0x044F, "Санскрит"},
    {"Serbian (Cyrillic) - Bosnia and Herzegovina", 0x1C1A, "Сербский (кириллица) - Босния и Герцеговина"},
    {"Serbian (Cyrillic) - Serbia", 0x0C1A, "Сербский (кириллица) - Сербия"},
    {"Serbian (Latin) - Bosnia and Herzegovina", 0x181A, "Сербский (латиница) - Босния и Герцеговина"},
    {"Serbian (Latin) - Serbia", 0x081A, "Сербский (латиница) - Сербия"},
    {"Sesotho - South Africa", 0x0430, "Сесото"},
    {"Setswana - South Africa", 0x0432, "Тсвана"},
    {"Sindhi - India", 0x0459, "Синдхи"},
    {"Sinhala - Sri Lanka", 0x045B, "Сингальский"},
    {"Slovak - Slovakia", 0x041B, "Словацкий"},
    {"Slovenian - Slovenia", 0x0424, "Словенский"},
    {"Somali - Somalia", 0x0477, "Сомали"},
    {"Spanish - Argentina", 0x2C0A, "Испанский - Аргентина"},
    {"Spanish - Bolivia", 0x400A, "Испанский - Боливия"},
    {"Spanish - Chile", 0x340A, "Испанский - Чили"},
    {"Spanish - Colombia", 0x240A, "Испанский - Колумбия"},
    {"Spanish - Costa Rica", 0x140A, "Испанский - Коста-Рика"},
    {"Spanish - Dominican Republic", 0x1C0A, "Испанский - Доминиканская Республика"},
    {"Spanish - Ecuador", 0x300A, "Испанский - Эквадор"},
    {"Spanish - El Salvador", 0x440A, "Испанский - Сальвадор"},
    {"Spanish - Guatemala", 0x100A, "Испанский - Гватемала"},
    {"Spanish - Honduras", 0x480A, "Испанский - Гондурас"},
    {"Spanish - Mexico", 0x080A, "Испанский - Мексика"},
    {"Spanish - Nicaragua", 0x4C0A, "Испанский - Никарагуа"},
    {"Spanish - Panama", 0x180A, "Испанский - Панама"},
    {"Spanish - Paraguay", 0x3C0A, "Испанский - Парагвай"},
    {"Spanish - Peru", 0x280A, "Испанский - Перу"},
    {"Spanish - Puerto Rico", 0x500A, "Испанский - Пуэрто-Рико"},
    {"Spanish - Spain", 0x0C0A, "Испанский - Испания"},
    {"Spanish - Spain (Traditional Sort)", 0x040A, "Испанский - Испания (традиционная сортировка)"},
    {"Spanish - Uruguay", 0x380A, "Испанский - Уругвай"},
    {"Spanish - Venezuela", 0x200A, "Испанский - Венесуэла"},
    {"Swedish - Finland", 0x081D, "Шведский - Финляндия"},
    {"Swedish - Sweden", 0x041D, "Шведский - Швеция"},
    {"Syriac - Syria", 0x045A, "Сирийский"},
    {"Tajik (Cyrillic) - Tajikistan", 0x0428, "Таджикский"},
    {"Tamazight (Latin) - Algeria", 0x085F, "Тамазигхтский"},
    {"Tamil - India", 0x0449, "Тамильский"},
    {"Tatar - Russia", 0x0444, "Татарский"},
    {"Telugu - India", 0x044A, "Телугу"},
    {"Thai - Thailand", 0x041E, "Тайский"},
    {"Tibetan - PRC", 0x0451, "Тибетский"},
    {"Tigrinya - Ethiopia", 0x0473, "Тигринья"},
    {"Tsonga - South Africa", 0x0431, "Тсонга"},
    {"Turkish - Turkey", 0x041F, "Турецкий"},
    {"Turkmen - Turkmenistan", 0x0442, "Туркменский"},
    {"Uighur - PRC", 0x0480, "Уйгурский"},
    {"Ukrainian - Ukraine", 0x0422, "Украинский"},
    {"Upper Sorbian - Germany", 0x042E, "Верхнелужицкий"},
    {"Urdu - Pakistan", 0x0420, "Урду"},
    {"Uzbek (Cyrillic) - Uzbekistan", 0x0843, "Узбекский (кириллица)"},
    {"Uzbek (Latin) - Uzbekistan", 0x0443, "Узбекский (латиница)"},
    {"Vietnamese - Vietnam", 0x042A, "Вьетнамский"},
    {"Welsh - United Kingdom", 0x0452, "Валлийский"},
    {"Wolof - Senegal", 0x0488, "Волоф"},
    {"Xhosa - South Africa", 0x0434, "Коса"},
    {"Yakut - Russia", 0x0485, "Якутский"},
    {"Yi - PRC", 0x0478, "Носу"},
    {"Yoruba - Nigeria", 0x046A, "Йоруба"},
    {"Zulu - South Africa", 0x0435, "Зулу"},
};
// clang-format on

constexpr size_t kRowCount = sizeof(kRows) / sizeof(kRows[0]);
static_assert(kRowCount == 223);

// The panel finds a row by its line number, so the order is part of the contract and
// a language may appear only once.
constexpr bool OrderedByEnglishName() {
  for (size_t i = 1; i < kRowCount; ++i)
    if (!(kRows[i - 1].english < kRows[i].english)) return false;
  return true;
}
static_assert(OrderedByEnglishName());

constexpr bool LanguagesUnique() {
  for (size_t i = 0; i < kRowCount; ++i) {
    if (kRows[i].language == 0) return false;
    for (size_t j = i + 1; j < kRowCount; ++j)
      if (kRows[i].language == kRows[j].language) return false;
  }
  return true;
}
static_assert(LanguagesUnique());

// Every identifier is below 0x8000, so the doubled value stays a positive int32.
constexpr bool LayoutsPositive() {
  for (const Row& row : kRows)
    if (row.language >= 0x8000) return false;
  return true;
}
static_assert(LayoutsPositive());

std::string BuildNames() {
  std::string utf8;
  for (const Row& row : kRows) {
    utf8 += row.name;
    utf8 += "\r\n";
  }
  return cp1251::FromUtf8(utf8);
}

std::string BuildLayouts() {
  std::string text;
  for (const Row& row : kRows) {
    const uint32_t layout = (static_cast<uint32_t>(row.language) << 16) | row.language;
    text += std::to_string(layout);
    text += "\r\n";
  }
  return text;
}

}  // namespace

const std::string& LanguageNames() {
  static const std::string text = BuildNames();
  return text;
}

const std::string& LanguageLayouts() {
  static const std::string text = BuildLayouts();
  return text;
}

}  // namespace lumi::resources
