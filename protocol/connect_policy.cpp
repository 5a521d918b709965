#include "protocol/connect_policy.h"

#include "text/text_util.h"

namespace orvinta::protocol {
namespace {

constexpr std::string_view kUnusableAuthority =
    "인증 기관 파일을 읽을 수 없거나 그 안에 인증서가 없어 접속하지 않았습니다.\n\n%s";
constexpr std::string_view kClearTextRefused =
    "보안 연결(TLS)만 사용하도록 설정되어 있어 접속하지 않았습니다.\n\n서버 주소가 tls://로 시작하지 않습니다.";
constexpr std::string_view kHostNameTooLong =
    "서버 이름이 너무 길어 접속하지 않았습니다.\n\n서버 이름은 253바이트를 넘을 수 없습니다.";

}  // namespace

std::optional<std::string> RefusalOf(const ServerEndpoint& endpoint, const ConnectPolicy& policy) {
  if (!policy.unusableAuthorityFile.empty()) return text::FormatText(kUnusableAuthority, {policy.unusableAuthorityFile});
  if (policy.requireTls && !endpoint.secure) return std::string(kClearTextRefused);
  if (endpoint.host.size() > kMaxHostNameBytes) return std::string(kHostNameTooLong);
  return std::nullopt;
}

}  // namespace orvinta::protocol
