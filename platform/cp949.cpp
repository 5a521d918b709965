#include "platform/cp949.h"

#include <iconv.h>

#include <cerrno>

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

}  // namespace

std::optional<std::string> Utf8ToCp949(std::string_view utf8) { return ToCp949().Run(utf8); }

std::optional<std::string> Cp949ToUtf8(std::string_view cp949) { return FromCp949().Run(cp949); }

std::string Cp949ToUtf8Lossy(std::string_view cp949) {
  return FromCp949().Run(cp949, "\xEF\xBF\xBD").value_or(std::string{});
}

std::string FromLocalText(std::string_view bytes) {
  if (auto converted = Utf8ToCp949(bytes)) return *converted;
  return std::string(bytes);
}

}  // namespace orvinta::platform
