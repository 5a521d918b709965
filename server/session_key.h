#pragma once
// Session keys: what proves on "USER" that the portal signed this member in.
// A key is "<expiry>.<mac>": expiry in seconds since 1970, mac the lower-case
// hex HMAC-SHA256, under the server's secret, of "<user id>/<expiry>". No "/",
// ";" or "=" appears in it, so it travels in a "USER" body and in a cookie.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orvinta::server {

enum class KeyVerdict { kValid, kMalformed, kBadSignature, kExpired };

class SessionKeys {
 public:
  using UnixClock = std::function<std::int64_t()>;

  SessionKeys(std::string secret, UnixClock unixNow);

  std::string Sign(std::string_view userId, std::int64_t lifetimeSeconds) const;
  std::string SignUntil(std::string_view userId, std::int64_t expiry) const;
  // The signature is compared in constant time.
  KeyVerdict Check(std::string_view userId, std::string_view key) const;

  static constexpr std::size_t kMinSecretBytes = 16;
  static constexpr std::int64_t kDefaultLifetime = 12 * 3600;

 private:
  std::string secret_;
  UnixClock unixNow_;
};

// The secret from a file: its bytes without trailing white space. Empty when
// the file cannot be read; error says why.
std::string ReadSecretFile(const std::string& path, std::string& error);

std::int64_t UnixNow();

}  // namespace orvinta::server
