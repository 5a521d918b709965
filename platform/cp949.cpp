#include "platform/cp949.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

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

}  // namespace

std::optional<std::string> Utf8ToCp949Lossy(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::size_t length = Utf8SequenceLength(utf8);
    if (length == 0) return std::nullopt;
    if (length == 1) {
      out.push_back(utf8.front());
    } else {
      const auto converted = ToCp949().Run(utf8.substr(0, length));
      out.append(converted ? *converted : std::string("?"));
    }
    utf8.remove_prefix(length);
  }
  return out;
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
