#include "client/window/text_filters.h"

#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr char kColourCode = 0x03;

bool StartsWith(const std::string& s, char c) { return !s.empty() && s.front() == c; }

// The byte a code takes with it goes only when it is a character of its own:
// half of a double-byte character would leave an invalid sequence behind.
bool StartsWithDoubleByte(std::string_view s) {
  return s.size() >= 2 && text::IsLeadByte(static_cast<unsigned char>(s.front()));
}

// Drops the digits at the front that come in ascending order, each tested once.
void DropAscendingDigits(std::string& rest) {
  for (char d = '0'; d <= '9'; ++d) {
    if (StartsWith(rest, d)) rest.erase(0, 1);
  }
}

// After a comma the byte that follows goes with it, then the digit pass.
bool DropBackgroundPart(std::string& rest) {
  if (!StartsWith(rest, ',') || rest.size() <= 2) return false;
  rest.erase(0, StartsWithDoubleByte(std::string_view(rest).substr(1)) ? 1 : 2);
  DropAscendingDigits(rest);
  return true;
}

}  // namespace

std::string StripMessageOfColorCodes(std::string_view input) {
  std::string text(input);
  for (;;) {
    const auto p = text.find(kColourCode);
    if (p == std::string::npos) return text;
    const std::size_t n = text.size() - p;
    if (n < 2) return text;
    const std::string left = text.substr(0, p);
    if (StartsWithDoubleByte(std::string_view(text).substr(p + 1))) {
      text = left + text.substr(p + 1);  // only the code byte goes
      continue;
    }
    std::string rest = text.substr(p + 2);  // the code byte and the one after it go
    if (n < 4) return left + rest;
    if (!DropBackgroundPart(rest)) {
      for (char d = '0'; d <= '9'; ++d) {
        if (!StartsWith(rest, d)) continue;
        rest.erase(0, 1);
        DropBackgroundPart(rest);
      }
    }
    text = left + rest;
  }
}

std::string SanitizeText(std::string_view text) {
  return text::RemoveChars(StripMessageOfColorCodes(text), std::string_view("\x02\x03\x0F\x16'", 5));
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t pos; (pos = text.find(from, start)) != std::string_view::npos; start = pos + from.size()) {
    out.append(text.substr(start, pos - start)).append(to);
  }
  out.append(text.substr(start));
  return out;
}

std::string RemoveWordIgnoreCase(std::string_view text, std::string_view word) {
  if (word.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text::StartsWithIgnoreCase(text.substr(i), word)) {
      i += word.size();
      continue;
    }
    const std::size_t width = text::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    out.append(text.substr(i, width));
    i += width;
  }
  return out;
}

std::string CollapseDoublePercent(std::string_view text) { return ReplaceAll(text, "%%", "%"); }

}  // namespace orvinta::window
