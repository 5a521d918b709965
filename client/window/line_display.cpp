#include "client/window/line_display.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "client/compose/chat_line.h"
#include "client/compose/emoticons.h"
#include "platform/cp949.h"
#include "text/char_references.h"

namespace orvinta::window {
namespace {

constexpr std::uint32_t kInfoGrey = 0x999999, kInfoGreen = 0x11AA44, kOrange = 0xFA8A12;

// A referenced control character or no-break space shows as a plain space.
char32_t ShownCharacter(char32_t point) {
  return point < 0x20 || point == 0x7F || point == 0xA0 ? U' ' : point;
}

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x81 && static_cast<unsigned char>(c) != 0xFF; }

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The colour of a FONT tag's COLOR attribute: "#RRGGBB", quoted or not.
std::uint32_t FontTagColour(std::string_view tag, std::uint32_t fallback) {
  const std::string upper = Upper(tag);
  const std::size_t at = upper.find("COLOR=");
  if (at == std::string::npos) return fallback;
  std::string_view value = tag.substr(at + 6);
  while (!value.empty() && (value.front() == '\'' || value.front() == '"' || value.front() == '#')) value.remove_prefix(1);
  return value.size() >= 6 ? HexColour(value.substr(0, 6), fallback) : fallback;
}

// White space as a page shows it: a run of it is one space, and none starts
// a line. Fed a line's pieces in order.
class SpaceCollapser {
 public:
  void Append(std::string_view html, std::string& out) {
    for (const char c : html) {
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        if (!atLineStart_ && !afterSpace_) out.push_back(' ');
        afterSpace_ = !atLineStart_;
        continue;
      }
      out.push_back(c);
      atLineStart_ = afterSpace_ = false;
    }
  }
  // A picture or a link: content that is no space.
  void Content() { atLineStart_ = afterSpace_ = false; }
  void LineBreak() {
    atLineStart_ = true;
    afterSpace_ = false;
  }

 private:
  bool atLineStart_ = true;
  bool afterSpace_ = false;
};

// What DecodeEntities reads: references, and the mark byte it never lets through.
constexpr char kDecoded[] = {'&', platform::kWideMark, '\0'};

// Appends a text run's bytes as shown: spaces collapsed, references read.
void AppendShown(std::string_view html, SpaceCollapser& spaces, std::string& out) {
  std::string collapsed;
  spaces.Append(html, collapsed);
  if (collapsed.find_first_of(kDecoded) == std::string::npos) out += collapsed;
  else out += DecodeEntities(collapsed);
}

class SpanBuilder {
 public:
  explicit SpanBuilder(std::vector<DisplaySpan>& out) : out_(out) {}
  void Text(std::string_view html) {
    std::string shown;
    AppendShown(html, spaces_, shown);
    if (shown.empty()) return;
    if (out_.empty() || out_.back().kind != DisplaySpan::Kind::Text || out_.back().bold != bold_ ||
        out_.back().colour != colour_) {
      out_.push_back({DisplaySpan::Kind::Text, bold_, 0, colour_, {}});
    }
    out_.back().text += shown;
  }
  void Add(DisplaySpan::Kind kind, std::string text = {}, std::uint8_t emoticon = 0) {
    out_.push_back({kind, bold_, emoticon, colour_, std::move(text)});
    if (kind == DisplaySpan::Kind::LineBreak) spaces_.LineBreak();
    else spaces_.Content();
  }
  // The program's own markup in a centred line: bold, breaks and font colours.
  void Tag(std::string_view tag) {
    const std::string name = Upper(tag.substr(0, std::min(tag.find_first_of(" \t>"), tag.size())));
    if (name == "<B") bold_ = true;
    else if (name == "</B") bold_ = false;
    else if (name == "<BR" || name == "<BR/") Add(DisplaySpan::Kind::LineBreak);
    else if (name == "<FONT") colours_.push_back(colour_), colour_ = FontTagColour(tag, colour_);
    else if (name == "</FONT" && !colours_.empty()) colour_ = colours_.back(), colours_.pop_back();
  }

 private:
  std::vector<DisplaySpan>& out_;
  SpaceCollapser spaces_;
  bool bold_ = false;
  std::uint32_t colour_ = DisplaySpan::kLineColour;
  std::vector<std::uint32_t> colours_;
};

void InfoSpans(std::string_view html, std::vector<DisplaySpan>& out) {
  SpanBuilder spans(out);
  for (std::size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      const std::size_t close = html.find('>', i);
      const std::size_t end = close == std::string_view::npos ? html.size() : close + 1;
      spans.Tag(html.substr(i, end - i));
      i = end;
      continue;
    }
    const std::size_t next = std::min(html.find('<', i), html.size());
    spans.Text(html.substr(i, next - i));
    i = next;
  }
}

void ChatSpans(const TranscriptLine& line, std::vector<DisplaySpan>& out) {
  if (line.timeLength > 0) out.push_back({DisplaySpan::Kind::Text, false, 0, kInfoGrey, TimeText(line)});
  SpanBuilder spans(out);
  std::size_t at = 0;
  for (const TextRun& run : line.runs) {
    const std::string_view bytes = std::string_view(line.text).substr(std::min(at, line.text.size()), run.length);
    at += run.length;
    switch (run.kind) {
      case TextRun::Kind::Text: spans.Text(bytes); break;
      case TextRun::Kind::LineBreak: spans.Add(DisplaySpan::Kind::LineBreak); break;
      case TextRun::Kind::Emoticon:
        if (run.emoticon < compose::kEmoticons.size()) spans.Add(DisplaySpan::Kind::Emoticon, {}, run.emoticon);
        break;
      case TextRun::Kind::Link: spans.Add(DisplaySpan::Kind::Link, DecodeEntities(bytes)); break;
      case TextRun::Kind::Markup: break;  // a kept tag draws nothing
    }
  }
}

}  // namespace

std::string TimeText(const TranscriptLine& line) {
  if (line.timeLength == 0) return {};
  return "[" + std::string(line.Time()) + "] ";
}

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(text[i]) && i + 1 < text.size()) {  // a trail byte is never the start of a reference
      out.append(text.substr(i, 2));
      ++i;
      continue;
    }
    if (text[i] == '&') {
      if (const auto reference = text::ReferenceAt(text.substr(i))) {
        platform::AppendDisplayCharacter(out, ShownCharacter(reference->point));
        i += reference->length - 1;
        continue;
      }
    }
    // The mark of a wide character is made here only, never taken from a line.
    if (text[i] != platform::kWideMark) out.push_back(text[i]);
  }
  return out;
}

std::uint32_t HexColour(std::string_view hex, std::uint32_t fallback) {
  if (hex.size() != 6) return fallback;
  std::uint32_t value = 0;
  for (const char c : hex) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : std::isxdigit(static_cast<unsigned char>(c))
                          ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                          : -1;
    if (digit < 0) return fallback;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

bool IsDarkColour(std::string_view hex) {
  const std::uint32_t value = HexColour(hex, 0xFFFFFF);
  int low = 0;
  for (int shift = 0; shift <= 16; shift += 8) low += ((value >> shift) & 0xFF) < 0x80;
  return low >= 2;
}

std::uint32_t InfoLineColour(std::string_view markup) {
  if (markup.find("입장하셨습니다") != std::string_view::npos || markup.find("퇴장하셨습니다") != std::string_view::npos) {
    return kInfoGreen;
  }
  return markup.find("[찬성]") != std::string_view::npos ? kOrange : kInfoGrey;
}

std::uint32_t LineColour(const TranscriptLine& line) {
  switch (line.kind) {
    case LineKind::Chat: return HexColour(line.TextColour(), 0x000000);
    case LineKind::Info: return InfoLineColour(line.text);
    case LineKind::Banner:
    case LineKind::ClearedNotice:
    case LineKind::ClearedWarning: return kOrange;
  }
  return kInfoGrey;
}

std::string_view BannerText() { return "어서 오세요. 벨보 오르빈타입니다."; }
std::string_view ClearedNoticeText() { return "▶ 채팅 화면을 청소하였습니다. ◀"; }
std::string_view ClearedWarningText() { return "▷ 청소된 내용은 저장할 수 없습니다. ◁"; }

std::vector<DisplaySpan> DisplaySpans(const TranscriptLine& line) {
  std::vector<DisplaySpan> out;
  switch (line.kind) {
    case LineKind::Chat: ChatSpans(line, out); break;
    case LineKind::Info: InfoSpans(line.text, out); break;
    case LineKind::Banner: out.push_back({DisplaySpan::Kind::Text, true, 0, DisplaySpan::kLineColour, std::string(BannerText())}); break;
    case LineKind::ClearedNotice:
      out.push_back({DisplaySpan::Kind::Text, true, 0, DisplaySpan::kLineColour, std::string(ClearedNoticeText())});
      break;
    case LineKind::ClearedWarning:
      out.push_back({DisplaySpan::Kind::Text, false, 0, DisplaySpan::kLineColour, std::string(ClearedWarningText())});
      break;
  }
  return out;
}

void AppendDisplayText(const TranscriptLine& line, std::string& out) {
  if (line.kind == LineKind::Chat) {
    // Finding walks every line: a chat line's runs are read in place.
    if (line.timeLength > 0) out += TimeText(line);
    SpaceCollapser spaces;
    std::size_t at = 0;
    for (const TextRun& run : line.runs) {
      const std::string_view bytes = std::string_view(line.text).substr(std::min(at, line.text.size()), run.length);
      at += run.length;
      switch (run.kind) {
        case TextRun::Kind::Text: AppendShown(bytes, spaces, out); break;
        case TextRun::Kind::Link:
          out += DecodeEntities(bytes);
          spaces.Content();
          break;
        case TextRun::Kind::LineBreak:
          out.push_back('\n');
          spaces.LineBreak();
          break;
        case TextRun::Kind::Emoticon:
          if (run.emoticon < compose::kEmoticons.size()) out.push_back(kEmoticonMark);
          spaces.Content();
          break;
        case TextRun::Kind::Markup: break;
      }
    }
    return;
  }
  for (const DisplaySpan& span : DisplaySpans(line)) {
    switch (span.kind) {
      case DisplaySpan::Kind::Text:
      case DisplaySpan::Kind::Link: out += span.text; break;
      case DisplaySpan::Kind::LineBreak: out.push_back('\n'); break;
      case DisplaySpan::Kind::Emoticon: out.push_back(kEmoticonMark); break;
    }
  }
}

std::string DisplayText(const TranscriptLine& line) {
  std::string out;
  AppendDisplayText(line, out);
  return out;
}

std::string PlainText(const TranscriptLine& line) {
  std::string out;
  if (line.kind == LineKind::Chat) out = DecodeEntities(line.nick) + " ▶ ";
  for (const DisplaySpan& span : DisplaySpans(line)) {
    switch (span.kind) {
      case DisplaySpan::Kind::Text:
      case DisplaySpan::Kind::Link: out += span.text; break;
      case DisplaySpan::Kind::LineBreak: out.push_back('\n'); break;
      case DisplaySpan::Kind::Emoticon: out += compose::kEmoticons[span.emoticon].keyword; break;
    }
  }
  // A centred line's breaks around it are spacing, not text.
  const std::size_t first = out.find_first_not_of('\n');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of('\n') + 1 - first);
}

}  // namespace orvinta::window
