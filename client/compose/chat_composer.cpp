#include "client/compose/chat_composer.h"

#include <array>
#include <vector>

#include "text/char_references.h"
#include "text/text_util.h"

namespace orvinta::compose {
namespace {

// One typed character as it travels. `counted` is what the 400-byte rule
// counts: the escaped text before "|" is spelled "%%7C".
struct Unit {
  std::string_view wire;
  std::size_t counted;
};

struct Escape {
  char byte;
  Unit unit;
};
constexpr std::array<Escape, 6> kEscapes = {{
    {'%', {"%%", 2}},
    {'<', {"&lt;", 4}},
    {'>', {"&gt;", 4}},
    {'\x04', {"", 0}},
    {'\n', {"<BR>", 4}},
    {'|', {"%%7C", 1}},
}};

// The text cut into characters, each with its escape.
std::vector<Unit> Units(std::string_view text) {
  std::vector<Unit> units;
  units.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (text::IsLeadByte(byte) && i + 1 < text.size()) {
      units.push_back({text.substr(i, 2), 2});
      i += 2;
      continue;
    }
    // A reference (how a character beyond code page 949 travels) is cut before, never inside.
    if (const std::size_t reference = text[i] == '&' ? text::ReferenceLength(text.substr(i)) : 0) {
      units.push_back({text.substr(i, reference), reference});
      i += reference;
      continue;
    }
    Unit unit{text.substr(i, 1), 1};
    for (const Escape& e : kEscapes) {
      if (e.byte == text[i]) unit = e.unit;
    }
    units.push_back(unit);
    ++i;
  }
  return units;
}

// Receivers read the line as a format, so every "%" of a field is doubled and
// "|" travels as "%%7C" (shown as "|" again after formatting).
std::string FieldText(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '%') {
      out += "%%";
    } else if (c == '|') {
      out += "%%7C";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// The launch's icon number; anything but digits is read as its leading number.
std::string IconField(std::string_view iconNo) {
  if (iconNo.find_first_not_of("0123456789") == std::string_view::npos) return std::string(iconNo);
  return std::to_string(text::ParseLeadingInt(iconNo));
}

}  // namespace

std::string_view TypedText(std::string_view inputText) { return text::Trim(inputText); }

ComposedLine ComposeChatLine(std::string_view typedText, const ComposeSettings& settings,
                             const SenderContext& sender, std::size_t maxWireBytes) {
  ComposedLine out;
  ChatLine& line = out.line;
  line.style = StyleLetters(settings.style);
  line.textColour = HexColour(settings.textColour);
  line.size = std::to_string(settings.size);
  line.face = std::string(FaceName(settings.face));
  line.backColour = HexColour(settings.backColour);
  line.icon = IconField(sender.iconNo);
  line.nick = FieldText(sender.nick);

  std::string text;
  text.append(sender.header).append(" ").append(typedText).append(" ").append(sender.footer);
  const std::vector<Unit> units = Units(text);
  std::size_t counted = 0;
  for (const Unit& unit : units) counted += unit.counted;
  const std::size_t countLimit = counted > kMaxChatTextBytes ? kCutChatTextBytes : counted;
  const std::size_t prefix = line.Wire().size();
  const std::size_t wireLimit = maxWireBytes > prefix ? maxWireBytes - prefix : 0;

  std::size_t kept = 0;
  counted = 0;
  for (const Unit& unit : units) {
    if (counted + unit.counted > countLimit || line.text.size() + unit.wire.size() > wireLimit) break;
    counted += unit.counted;
    line.text.append(unit.wire);
    ++kept;
  }
  for (std::size_t i = kept; i < units.size() && !out.cut; ++i) out.cut = !units[i].wire.empty();
  return out;
}

}  // namespace orvinta::compose
