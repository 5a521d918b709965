#include "platform/cp949.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "text/text_util.h"

namespace orvinta::platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; on an invalid sequence either stops (nullopt) or,
  // with `replacement`, writes it and skips one byte.
  std::optional<std::string> Run(std::string_view in, std::string_view replacement = {}) const {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char chunk[1024];
    while (srcLeft > 0) {
      char* dst = chunk;
      std::size_t dstLeft = sizeof chunk;
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(chunk, static_cast<std::size_t>(dst - chunk));
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      if (replacement.empty()) return std::nullopt;
      out.append(replacement);
      ++src;
      --srcLeft;
    }
    return out;
  }

 private:
  iconv_t cd_;
};

const Converter& ToCp949() {
  static const Converter converter("CP949", "UTF-8");
  return converter;
}

const Converter& FromCp949() {
  static const Converter converter("UTF-8", "CP949");
  return converter;
}

// The length of the well-formed UTF-8 sequence at the front of `s`, 0 if none.
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const auto isTail = [&](std::size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!isTail(i)) return 0;
    point = (point << 6) | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and points past U+10FFFF are not UTF-8.
  static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) return 0;
  return length;
}

std::uint32_t Utf8Point(std::string_view sequence) {
  static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::uint32_t point = static_cast<unsigned char>(sequence[0]) & kLeadMask[sequence.size()];
  for (std::size_t i = 1; i < sequence.size(); ++i) point = (point << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  return point;
}

// Converts character by character; `unheld` writes a character code page 949
// cannot hold. nullopt when the bytes are not valid UTF-8.
template <typename Unheld>
std::optional<std::string> ConvertEach(std::string_view utf8, Unheld unheld) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::size_t length = Utf8SequenceLength(utf8);
    if (length == 0) return std::nullopt;
    if (length == 1) {
      out.push_back(utf8.front());
    } else if (const auto converted = ToCp949().Run(utf8.substr(0, length))) {
      out.append(*converted);
    } else {
      unheld(out, Utf8Point(utf8.substr(0, length)));
    }
    utf8.remove_prefix(length);
  }
  return out;
}

void AppendWideMark(std::string& out, std::uint32_t point) {
  out.push_back(kWideMark);
  out.append(std::to_string(point)).push_back(';');
}

}  // namespace

std::optional<std::string> Utf8ToCp949Lossy(std::string_view utf8) {
  return ConvertEach(utf8, [](std::string& out, std::uint32_t) { out.push_back('?'); });
}

std::optional<std::string> Utf8ToCp949WithReferences(std::string_view utf8) {
  return ConvertEach(utf8, [](std::string& out, std::uint32_t point) {
    out.append("&#").append(std::to_string(point)).push_back(';');
  });
}

void AppendDisplayCharacter(std::string& out, char32_t point) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
    return;
  }
  std::string utf8;
  text::AppendUtf8(utf8, point);
  if (const auto converted = ToCp949().Run(utf8)) out.append(*converted);
  else AppendWideMark(out, point);
}

std::size_t WideMarkLength(std::string_view text) {
  if (text.size() < 3 || text[0] != kWideMark) return 0;
  std::size_t at = 1;
  while (at < text.size() && at <= 8 && text[at] >= '0' && text[at] <= '9') ++at;
  return at > 1 && at < text.size() && text[at] == ';' ? at + 1 : 0;
}

std::string DisplayToUtf8(std::string_view display) {
  std::string out;
  out.reserve(display.size() + display.size() / 2);
  while (!display.empty()) {
    const std::size_t mark = display.find(kWideMark);
    out.append(Cp949ToUtf8Lossy(display.substr(0, mark)));
    if (mark == std::string_view::npos) break;
    display.remove_prefix(mark);
    if (const std::size_t length = WideMarkLength(display)) {
      const unsigned long point = std::stoul(std::string(display.substr(1, length - 2)));
      text::AppendUtf8(out, point <= 0x10FFFF ? static_cast<char32_t>(point) : U'\uFFFD');
      display.remove_prefix(length);
    } else {
      display.remove_prefix(1);  // a stray mark byte shows nothing
    }
  }
  return out;
}

std::string Utf8ToDisplay(std::string_view utf8) {
  if (auto converted = ConvertEach(utf8, AppendWideMark)) return *converted;
  return std::string(utf8);
}

std::optional<std::string> Utf8ToCp949(std::string_view utf8) { return ToCp949().Run(utf8); }

std::optional<std::string> Cp949ToUtf8(std::string_view cp949) { return FromCp949().Run(cp949); }

std::string Cp949ToUtf8Lossy(std::string_view cp949) {
  return FromCp949().Run(cp949, "\xEF\xBF\xBD").value_or(std::string{});
}

std::string FromLocalText(std::string_view bytes) {
  if (auto converted = Utf8ToCp949Lossy(bytes)) return *converted;
  return std::string(bytes);
}

}  // namespace orvinta::platform
