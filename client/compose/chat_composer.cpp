#include "client/compose/chat_composer.h"

#include <array>

#include "client/compose/compose_tables.h"
#include "text/text_util.h"

namespace orvinta::compose {
namespace {

struct Escape {
  char byte;
  std::string_view replacement;
};
constexpr std::array<Escape, 5> kEscapes = {{
    {'%', "%%"},
    {'<', "&lt;"},
    {'>', "&gt;"},
    {'\x04', ""},
    {'\n', "<BR>"},
}};

std::string ReplaceByte(std::string_view text, char byte, std::string_view replacement) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == byte) {
      out.append(replacement);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// Receivers read the line as a format, so every "%" of a field is doubled and
// "|" travels as "%%7C" (shown as "|" again after formatting).
std::string FieldText(std::string_view text) { return ReplaceByte(ReplaceByte(text, '%', "%%"), '|', "%%7C"); }

// The launch's icon number; anything but digits is read as its leading number.
std::string IconField(std::string_view iconNo) {
  if (iconNo.find_first_not_of("0123456789") == std::string_view::npos) return std::string(iconNo);
  return std::to_string(text::ParseLeadingInt(iconNo));
}

}  // namespace

std::string_view TypedText(std::string_view inputText) { return text::Trim(inputText); }

std::string EscapeChatText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    const Escape* escape = nullptr;
    for (const Escape& e : kEscapes) {
      if (e.byte == c) escape = &e;
    }
    if (escape) {
      out.append(escape->replacement);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string_view CutChatText(std::string_view escaped) {
  if (escaped.size() <= kMaxChatTextBytes) return escaped;
  std::string_view cut = text::LeftBytes(escaped, kCutChatTextBytes);
  // Every "%" of an escaped text belongs to a pair: an odd run at the end is half a pair.
  const std::size_t lastOther = cut.find_last_not_of('%');
  const std::size_t percents = cut.size() - (lastOther == std::string_view::npos ? 0 : lastOther + 1);
  if (percents % 2 == 1) cut.remove_suffix(1);
  return cut;
}

std::string HexColour(std::uint32_t colorref) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (int shift : {0, 8, 16}) {  // red, green, blue
    const unsigned byte = (colorref >> shift) & 0xFFu;
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0xF]);
  }
  return out;
}

std::string ComposeChatLine(std::string_view typedText, const ComposeSettings& settings, const SenderContext& sender) {
  std::string text;
  text.append(sender.header).append(" ").append(typedText).append(" ").append(sender.footer);
  const std::string escaped = EscapeChatText(text);
  const std::string body = ReplaceByte(CutChatText(escaped), '|', "%%7C");

  std::string line;
  line.append(StyleLetters(settings.style)).append("|");
  line.append(HexColour(settings.textColour)).append("|");
  line.append(std::to_string(settings.size)).append("|");
  line.append(FaceName(settings.face)).append("|");
  line.append(HexColour(settings.backColour)).append("|");
  line.append(IconField(sender.iconNo)).append("|");
  line.append(FieldText(sender.nick)).append("|");
  line.append(body);
  return line;
}

}  // namespace orvinta::compose
