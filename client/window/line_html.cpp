#include "client/window/line_html.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "client/compose/compose_tables.h"
#include "client/compose/emoticons.h"
#include "client/window/icon_url.h"
#include "client/window/line_display.h"
#include "client/window/text_filters.h"
#include "client/window/web_links.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kTableOpen = "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed>";
constexpr std::string_view kEmoticonTag = "<IMG WIDTH=20 HEIGHT=20 ALIGN=ABSMIDDLE SRC=";
constexpr std::string_view kLinkOpen = "<A HREF='";
constexpr std::string_view kLinkClose = "</A>";
constexpr std::string_view kEndMarker = "<SPAN ID=END_LINE></SPAN>";

std::string EmoticonHtml(const std::string& base, std::size_t index) {
  return std::string(kEmoticonTag) + base + std::string(compose::kEmoticons[index].image) + ">";
}

// Each keyword, in table order, replaced by its image tag under `base`.
std::string ReplaceEmoticons(std::string_view text, const std::string& base) {
  std::string out(text);
  for (std::size_t i = 0; i < compose::kEmoticons.size(); ++i) {
    if (out.find(compose::kEmoticons[i].keyword) == std::string::npos) continue;
    out = ReplaceAll(out, compose::kEmoticons[i].keyword, EmoticonHtml(base, i));
  }
  return out;
}

struct StyleTag {
  std::uint8_t bit;
  char letter;
  std::string_view open, close;
};
constexpr std::array<StyleTag, 3> kStyleTags = {
    {{kBold, 'B', "<B>", "</B>"}, {kItalic, 'I', "<I>", "</I>"}, {kUnderline, 'U', "<U>", "</U>"}}};

// Received angle brackets become entities; only the composer's line breaks stay markup.
std::string EscapeKeepingLineBreaks(std::string_view text) {
  const std::vector<std::string_view> pieces = compose::SplitAtLineBreaks(text);
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out += compose::kLineBreakTag;
    out += ReplaceAll(ReplaceAll(pieces[i], "<", "&lt;"), ">", "&gt;");
  }
  return out;
}

void AddRun(TranscriptLine& line, TextRun::Kind kind, std::string_view bytes, std::uint8_t emoticon = 0) {
  if (kind == TextRun::Kind::Text && !line.runs.empty() && line.runs.back().kind == TextRun::Kind::Text) {
    line.runs.back().length += static_cast<std::uint32_t>(bytes.size());
  } else {
    line.runs.push_back({kind, emoticon, static_cast<std::uint32_t>(bytes.size())});
  }
  line.text.append(bytes);
}

// The tag at the front of `rest` as a run: a line break, an emoticon, a link
// (with its text), or markup kept as it is. Returns the bytes it took.
std::size_t TakeTag(std::string_view rest, const std::string& base, TranscriptLine& line) {
  const std::size_t close = rest.find('>');
  const std::size_t end = close == std::string_view::npos ? rest.size() : close + 1;
  const std::string_view tag = rest.substr(0, end);
  if (tag == compose::kLineBreakTag) {
    AddRun(line, TextRun::Kind::LineBreak, {});
    return end;
  }
  if (tag.starts_with(kEmoticonTag) && tag.substr(kEmoticonTag.size()).starts_with(base) && tag.ends_with('>')) {
    const std::string_view image = tag.substr(kEmoticonTag.size() + base.size(),
                                              tag.size() - kEmoticonTag.size() - base.size() - 1);
    for (std::size_t i = 0; i < compose::kEmoticons.size(); ++i) {
      if (image != compose::kEmoticons[i].image) continue;
      AddRun(line, TextRun::Kind::Emoticon, {}, static_cast<std::uint8_t>(i));
      return end;
    }
  }
  if (tag.starts_with(kLinkOpen)) {
    const std::size_t linkEnd = rest.find(kLinkClose, end);
    if (linkEnd != std::string_view::npos) {
      const std::string_view address = rest.substr(end, linkEnd - end);
      const std::size_t whole = linkEnd + kLinkClose.size();
      if (LinkHtml(address) == rest.substr(0, whole)) {
        AddRun(line, TextRun::Kind::Link, address);
        return whole;
      }
    }
  }
  AddRun(line, TextRun::Kind::Markup, tag);
  return end;
}

// The body's HTML cut into runs; the runs give the same HTML back.
void CutIntoRuns(std::string_view body, const std::string& base, TranscriptLine& line) {
  for (std::size_t i = 0; i < body.size();) {
    if (body[i] == '<') {
      i += TakeTag(body.substr(i), base, line);
      continue;
    }
    const std::size_t next = std::min(body.find('<', i), body.size());
    AddRun(line, TextRun::Kind::Text, body.substr(i, next - i));
    i = next;
  }
}

std::string BodyHtml(const TranscriptLine& line, const PortalConfig& portal) {
  std::string html;
  html.reserve(line.text.size());
  std::size_t at = 0;
  for (const TextRun& run : line.runs) {
    const std::string_view bytes = std::string_view(line.text).substr(at, run.length);
    at += run.length;
    switch (run.kind) {
      case TextRun::Kind::Text:
      case TextRun::Kind::Markup: html.append(bytes); break;
      case TextRun::Kind::LineBreak: html.append(compose::kLineBreakTag); break;
      case TextRun::Kind::Emoticon: html += EmoticonHtml(portal.emoticonBase, run.emoticon); break;
      case TextRun::Kind::Link: html += LinkHtml(bytes); break;
    }
  }
  return html;
}

template <std::size_t N>
bool CopyField(std::string_view field, std::array<char, N>& out, std::uint8_t* digits = nullptr) {
  if (field.empty() || field.size() > N || (!digits && field.size() != N)) return false;
  std::copy(field.begin(), field.end(), out.begin());
  if (digits) *digits = static_cast<std::uint8_t>(field.size());
  return true;
}

std::uint8_t FaceIndex(std::string_view face) {
  const auto faces = compose::FaceNames();
  const auto found = std::find(faces.begin(), faces.end(), face);
  if (found != faces.end()) return static_cast<std::uint8_t>(found - faces.begin());
  const auto fallback = std::find(faces.begin(), faces.end(), compose::FaceName(compose::kDefaultFace));
  return static_cast<std::uint8_t>(fallback == faces.end() ? 0 : fallback - faces.begin());
}

std::string InfoHtml(std::string_view markup) {
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%06X", static_cast<unsigned>(InfoLineColour(markup)));
  std::string html(kTableOpen);
  html += "<TR><TD ALIGN=CENTER><FONT COLOR='";
  html.append(colour).append("'>").append(markup).append("</FONT></TD></TR></TABLE>");
  return html;
}

std::string ChatHtml(const TranscriptLine& line, const PortalConfig& portal) {
  std::string open = "<FONT STYLE='COLOR:#" + std::string(line.TextColour()) + ";FONT-SIZE:" + std::string(line.Size()) +
                     "pt;FONT-FAMILY:" + std::string(compose::FaceNames()[line.face]) + "'>";
  std::string close = "</FONT>";
  for (const StyleTag& tag : kStyleTags) {
    if (!(line.style & tag.bit)) continue;
    open += tag.open;
    close.insert(0, tag.close);
  }

  const bool dark = IsDarkColour(line.BackColour());
  const std::string b(line.BackColour());
  std::string html(kTableOpen);
  html += "<TR>";
  html += "<TD WIDTH=35 ALIGN=CENTER CLASS=fixed><IMG WIDTH=19 HEIGHT=19 SRC='" + IconUrl(portal, line.icon, false) +
          "'></TD>";
  html += "<TD WIDTH=5 BGCOLOR='#" + b + "'></TD>";
  html += "<TD WIDTH=95 CLASS=ellips BGCOLOR='#" + b;
  html += dark ? "'><NOBR><B><FONT STYLE='color:#FFFFFF'>" + line.nick + "</FONT></B></NOBR></TD>"
               : "'><NOBR><B>" + line.nick + "</B></NOBR></TD>";
  html += "<TD WIDTH=18 BGCOLOR='#" + b;
  html += dark ? "'><FONT STYLE='color:#FFFFFF'>▶</FONT></TD>" : "'>▶</TD>";
  html += "<TD WIDTH=5></TD>";
  html += "<TD>";
  if (line.timeLength > 0) html += "<FONT COLOR='#999999'>[" + std::string(line.Time()) + "]</FONT> ";
  html += open + BodyHtml(line, portal) + close + "</TD>";
  html += "</TR></TABLE>";
  return html;
}

}  // namespace

std::optional<TranscriptLine> ChatLineFrom(const compose::ChatLine& source, const PortalConfig& portal) {
  std::string body = EscapeKeepingLineBreaks(compose::ShownField(source.text));
  body = ReplaceEmoticons(body, portal.emoticonBase);
  body = RemoveWordIgnoreCase(RemoveWordIgnoreCase(body, "vbscript"), "script");
  if (source.nick.empty() || body.empty()) return std::nullopt;
  body = LinkWebAddresses(body);

  const compose::ChatLine defaults;
  TranscriptLine line;
  line.kind = LineKind::Chat;
  for (const StyleTag& tag : kStyleTags) {
    if (source.style.find(tag.letter) != std::string::npos) line.style |= tag.bit;
  }
  if (!CopyField(source.textColour, line.textColour)) CopyField(defaults.textColour, line.textColour);
  if (!CopyField(source.backColour, line.backColour)) CopyField(defaults.backColour, line.backColour);
  if (!CopyField(source.size, line.size, &line.sizeDigits)) CopyField(defaults.size, line.size, &line.sizeDigits);
  line.face = FaceIndex(source.face);
  line.icon = ParseIconNumber(source.icon);
  line.nick = EscapeHtml(compose::ShownField(source.nick));
  CutIntoRuns(body, portal.emoticonBase, line);
  return line;
}

std::string LineHtml(const TranscriptLine& line, const PortalConfig& portal) {
  switch (line.kind) {
    case LineKind::Chat: return ChatHtml(line, portal);
    case LineKind::Info: return InfoHtml(line.text);
    case LineKind::Banner:
      return "<TABLE BORDER=0 WIDTH=100% HEIGHT=35 CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD WIDTH=8></TD>"
             "<TD ALIGN=CENTER BGCOLOR='#F7F1E3'><FONT COLOR='#FA8A12'><B>" +
             std::string(BannerText()) + "</B></FONT></TD><TD WIDTH=8></TD></TR></TABLE>";
    case LineKind::ClearedNotice:
      return std::string(kTableOpen) + "<TR><TD ALIGN=CENTER><FONT COLOR='#FA8A12'><B>" +
             std::string(ClearedNoticeText()) + "</B></FONT></TD></TR></TABLE>";
    case LineKind::ClearedWarning:
      return std::string(kTableOpen) + "<TR><TD ALIGN=CENTER><FONT COLOR='#FA8A12'>" +
             std::string(ClearedWarningText()) + "</FONT></TD></TR></TABLE>";
  }
  return {};
}

std::string TranscriptHtml(const TranscriptLines& lines, const PortalConfig& portal) {
  std::string html;
  if (lines.Dropped() > 0) html.append(LineHtml(DroppedNoticeLine(lines.Dropped()), portal)).push_back('\n');
  for (const TranscriptLine& line : lines) html.append(LineHtml(line, portal)).push_back('\n');
  html.append(kEndMarker);
  return html;
}

}  // namespace orvinta::window
