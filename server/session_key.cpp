#include "server/session_key.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <charconv>
#include <ctime>
#include <fstream>
#include <iterator>

namespace orvinta::server {
namespace {

constexpr std::size_t kMacBytes = 32;
constexpr std::size_t kMaxExpiryDigits = 12;

std::string Hex(const unsigned char* bytes, std::size_t n) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(kDigits[bytes[i] >> 4]);
    out.push_back(kDigits[bytes[i] & 0x0F]);
  }
  return out;
}

std::string Mac(const std::string& secret, std::string_view userId, std::string_view expiry) {
  std::string message(userId);
  message.push_back('/');
  message.append(expiry);
  unsigned char mac[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (HMAC(EVP_sha256(), secret.data(), static_cast<int>(secret.size()),
           reinterpret_cast<const unsigned char*>(message.data()), message.size(), mac, &length) == nullptr ||
      length != kMacBytes) {
    return {};
  }
  return Hex(mac, length);
}

}  // namespace

SessionKeys::SessionKeys(std::string secret, UnixClock unixNow)
    : secret_(std::move(secret)), unixNow_(std::move(unixNow)) {}

std::string SessionKeys::SignUntil(std::string_view userId, std::int64_t expiry) const {
  const std::string expiryText = std::to_string(expiry);
  return expiryText + "." + Mac(secret_, userId, expiryText);
}

std::string SessionKeys::Sign(std::string_view userId, std::int64_t lifetimeSeconds) const {
  return SignUntil(userId, unixNow_() + lifetimeSeconds);
}

KeyVerdict SessionKeys::Check(std::string_view userId, std::string_view key) const {
  const auto dot = key.find('.');
  if (dot == std::string_view::npos || dot == 0 || dot > kMaxExpiryDigits) return KeyVerdict::kMalformed;
  const std::string_view expiryText = key.substr(0, dot);
  const std::string_view mac = key.substr(dot + 1);
  std::int64_t expiry = 0;
  const auto [end, ec] = std::from_chars(expiryText.data(), expiryText.data() + expiryText.size(), expiry);
  if (ec != std::errc{} || end != expiryText.data() + expiryText.size() || mac.size() != 2 * kMacBytes) {
    return KeyVerdict::kMalformed;
  }
  const std::string expected = Mac(secret_, userId, expiryText);
  if (expected.size() != mac.size() || CRYPTO_memcmp(expected.data(), mac.data(), mac.size()) != 0) {
    return KeyVerdict::kBadSignature;
  }
  return unixNow_() < expiry ? KeyVerdict::kValid : KeyVerdict::kExpired;
}

std::string ReadSecretFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read the secret file " + path;
    return {};
  }
  std::string secret((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!secret.empty() && (secret.back() == '\n' || secret.back() == '\r' || secret.back() == ' ' ||
                             secret.back() == '\t')) {
    secret.pop_back();
  }
  if (secret.size() < SessionKeys::kMinSecretBytes) {
    error = "the secret in " + path + " is shorter than " + std::to_string(SessionKeys::kMinSecretBytes) + " bytes";
    return {};
  }
  return secret;
}

std::int64_t UnixNow() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace orvinta::server
