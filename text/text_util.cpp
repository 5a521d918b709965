#include "text/text_util.h"

#include <climits>
#include <utility>

namespace orvinta::text {
namespace {

template <typename Map>
std::string MapAsciiLetters(std::string_view s, Map map) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (IsLeadByte(c)) {
      ++i;  // the trail byte belongs to a double-byte character
      continue;
    }
    out[i] = map(out[i]);
  }
  return out;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string_view TrimLeft(std::string_view s, std::string_view chars) {
  const auto first = s.find_first_not_of(chars);
  return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

std::string_view TrimRight(std::string_view s, std::string_view chars) {
  const auto last = s.find_last_not_of(chars);
  return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

std::string_view Trim(std::string_view s, std::string_view chars) { return TrimRight(TrimLeft(s, chars), chars); }

std::string ToLower(std::string_view s) { return MapAsciiLetters(s, LowerAscii); }
std::string ToUpper(std::string_view s) { return MapAsciiLetters(s, UpperAscii); }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ToLower(a) == ToLower(b);
}

bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

std::vector<std::string_view> Split(std::string_view s, char separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t pos; (pos = s.find(separator, start)) != std::string_view::npos; start = pos + 1) {
    fields.push_back(s.substr(start, pos - start));
  }
  fields.push_back(s.substr(start));
  return fields;
}

std::vector<std::string_view> SplitFields(std::string_view s, char separator, std::size_t count) {
  std::vector<std::string_view> fields;
  fields.reserve(count);
  std::size_t start = 0;
  while (fields.size() + 1 < count) {
    const auto pos = s.find(separator, start);
    if (pos == std::string_view::npos) break;
    fields.push_back(s.substr(start, pos - start));
    start = pos + 1;
  }
  if (count > 0) fields.push_back(start <= s.size() ? s.substr(start) : std::string_view{});
  fields.resize(count);
  return fields;
}

std::string_view LeftBytes(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return s;
  std::size_t end = 0;
  while (end < maxBytes) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(s[end])) ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return s.substr(0, end);
}

std::string RemoveChars(std::string_view s, std::string_view chars) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (chars.find(c) == std::string_view::npos) out.push_back(c);
  }
  return out;
}

std::string FormatText(std::string_view templ, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(templ.size() + 32);
  auto next = args.begin();
  for (std::size_t i = 0; i < templ.size(); ++i) {
    const char c = templ[i];
    if (c == '%' && i + 1 < templ.size()) {
      const char kind = templ[i + 1];
      if (kind == '%') {
        out.push_back('%');
        ++i;
        continue;
      }
      if (kind == 's' || kind == 'd') {
        if (next != args.end()) out.append(*next++);
        ++i;
        continue;
      }
    }
    out.push_back(c);
  }
  return out;
}

long ParseLeadingInt(std::string_view s) {
  s = TrimLeft(s);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  long value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') break;
    if (value > (LONG_MAX - 9) / 10) break;  // keep the digits that fit
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace orvinta::text
