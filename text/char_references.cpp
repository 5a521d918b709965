#include "text/char_references.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace orvinta::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Named {
  std::string_view name;
  char32_t point;
};

// U+00A0 to U+00FF in order: the names a browser reads with or without ";".
constexpr std::string_view kLatin1[] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// The other old names read without ";".
constexpr Named kLegacyAscii[] = {{"amp", '&'},
                                                 {"lt", '<'},
                                                 {"gt", '>'},
                                                 {"quot", '"'},
                                                 {"AMP", '&'},
                                                 {"LT", '<'},
                                                 {"GT", '>'},
                                                 {"QUOT", '"'},
                                                 {"COPY", 0xA9},
                                                 {"REG", 0xAE}};

// The rest of HTML 4's names (and "apos"), read only with ";".
constexpr Named kOthers[] = {
    {"apos", '\''},      {"OElig", 338},     {"oelig", 339},     {"Scaron", 352},   {"scaron", 353},
    {"Yuml", 376},       {"fnof", 402},      {"circ", 710},      {"tilde", 732},    {"Alpha", 913},
    {"Beta", 914},       {"Gamma", 915},     {"Delta", 916},     {"Epsilon", 917},  {"Zeta", 918},
    {"Eta", 919},        {"Theta", 920},     {"Iota", 921},      {"Kappa", 922},    {"Lambda", 923},
    {"Mu", 924},         {"Nu", 925},        {"Xi", 926},        {"Omicron", 927},  {"Pi", 928},
    {"Rho", 929},        {"Sigma", 931},     {"Tau", 932},       {"Upsilon", 933},  {"Phi", 934},
    {"Chi", 935},        {"Psi", 936},       {"Omega", 937},     {"alpha", 945},    {"beta", 946},
    {"gamma", 947},      {"delta", 948},     {"epsilon", 949},   {"zeta", 950},     {"eta", 951},
    {"theta", 952},      {"iota", 953},      {"kappa", 954},     {"lambda", 955},   {"mu", 956},
    {"nu", 957},         {"xi", 958},        {"omicron", 959},   {"pi", 960},       {"rho", 961},
    {"sigmaf", 962},     {"sigma", 963},     {"tau", 964},       {"upsilon", 965},  {"phi", 966},
    {"chi", 967},        {"psi", 968},       {"omega", 969},     {"thetasym", 977}, {"upsih", 978},
    {"piv", 982},        {"ensp", 8194},     {"emsp", 8195},     {"thinsp", 8201},  {"zwnj", 8204},
    {"zwj", 8205},       {"lrm", 8206},      {"rlm", 8207},      {"ndash", 8211},   {"mdash", 8212},
    {"lsquo", 8216},     {"rsquo", 8217},    {"sbquo", 8218},    {"ldquo", 8220},   {"rdquo", 8221},
    {"bdquo", 8222},     {"dagger", 8224},   {"Dagger", 8225},   {"bull", 8226},    {"hellip", 8230},
    {"permil", 8240},    {"prime", 8242},    {"Prime", 8243},    {"lsaquo", 8249},  {"rsaquo", 8250},
    {"oline", 8254},     {"frasl", 8260},    {"euro", 8364},     {"image", 8465},   {"weierp", 8472},
    {"real", 8476},      {"trade", 8482},    {"alefsym", 8501},  {"larr", 8592},    {"uarr", 8593},
    {"rarr", 8594},      {"darr", 8595},     {"harr", 8596},     {"crarr", 8629},   {"lArr", 8656},
    {"uArr", 8657},      {"rArr", 8658},     {"dArr", 8659},     {"hArr", 8660},    {"forall", 8704},
    {"part", 8706},      {"exist", 8707},    {"empty", 8709},    {"nabla", 8711},   {"isin", 8712},
    {"notin", 8713},     {"ni", 8715},       {"prod", 8719},     {"sum", 8721},     {"minus", 8722},
    {"lowast", 8727},    {"radic", 8730},    {"prop", 8733},     {"infin", 8734},   {"ang", 8736},
    {"and", 8743},       {"or", 8744},       {"cap", 8745},      {"cup", 8746},     {"int", 8747},
    {"there4", 8756},    {"sim", 8764},      {"cong", 8773},     {"asymp", 8776},   {"ne", 8800},
    {"equiv", 8801},     {"le", 8804},       {"ge", 8805},       {"sub", 8834},     {"sup", 8835},
    {"nsub", 8836},      {"sube", 8838},     {"supe", 8839},     {"oplus", 8853},   {"otimes", 8855},
    {"perp", 8869},      {"sdot", 8901},     {"lceil", 8968},    {"rceil", 8969},   {"lfloor", 8970},
    {"rfloor", 8971},    {"lang", 9001},     {"rang", 9002},     {"loz", 9674},     {"spades", 9824},
    {"clubs", 9827},     {"hearts", 9829},   {"diams", 9830},
};

// A number from 0x80 to 0x9F is read as the Windows code page character with
// that byte, as browsers do; the five bytes it leaves empty stay as they are.
constexpr std::array<char32_t, 32> kWindows1252 = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNameChar(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

char32_t NumberCharacter(std::uint32_t value) {
  if (value >= 0x80 && value <= 0x9F) return kWindows1252[value - 0x80];
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
  return value;
}

// "&#65;", "&#x41;", with or without the ";".
std::optional<CharacterReference> NumberAt(std::string_view rest) {
  const bool hex = rest.size() > 2 && (rest[2] == 'x' || rest[2] == 'X');
  std::size_t at = hex ? 3 : 2;
  const std::size_t first = at;
  std::uint32_t value = 0;
  for (; at < rest.size() && (hex ? IsHexDigit(rest[at]) : IsDigit(rest[at])); ++at) {
    // Past U+10FFFF a longer number stays out of range: it is read whole all the same.
    if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(HexValue(rest[at]));
  }
  if (at == first) return std::nullopt;
  if (at < rest.size() && rest[at] == ';') ++at;
  return CharacterReference{NumberCharacter(value), at};
}

std::optional<char32_t> NameWithSemicolon(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kLatin1); ++i) {
    if (kLatin1[i] == name) return static_cast<char32_t>(0xA0 + i);
  }
  for (const Named& n : kLegacyAscii) {
    if (n.name == name) return n.point;
  }
  for (const Named& n : kOthers) {
    if (n.name == name) return n.point;
  }
  return std::nullopt;
}

// The longest old name at the front of `run`, read without ";".
std::optional<CharacterReference> LegacyNameAt(std::string_view run) {
  CharacterReference best;
  const auto consider = [&](std::string_view name, char32_t point) {
    if (name.size() > best.length && run.substr(0, name.size()) == name) best = {point, name.size()};
  };
  for (std::size_t i = 0; i < std::size(kLatin1); ++i) consider(kLatin1[i], static_cast<char32_t>(0xA0 + i));
  for (const Named& n : kLegacyAscii) consider(n.name, n.point);
  if (best.length == 0) return std::nullopt;
  return CharacterReference{best.point, best.length + 1};
}

}  // namespace

std::optional<CharacterReference> ReferenceAt(std::string_view rest) {
  if (rest.size() < 2 || rest[0] != '&') return std::nullopt;
  if (rest[1] == '#') return NumberAt(rest);
  std::size_t end = 1;
  while (end < rest.size() && end <= 32 && IsNameChar(rest[end])) ++end;
  const std::string_view run = rest.substr(1, end - 1);
  if (run.empty()) return std::nullopt;
  if (end < rest.size() && rest[end] == ';') {
    if (const auto point = NameWithSemicolon(run)) return CharacterReference{*point, end + 1};
  }
  return LegacyNameAt(run);
}

}  // namespace orvinta::text
