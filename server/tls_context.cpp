#include "server/tls_context.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include <utility>

namespace orvinta::server {
namespace {

std::string LastSslError(const std::string& what) {
  const unsigned long code = ERR_get_error();
  ERR_clear_error();
  if (code == 0) return what;
  char text[256] = {};
  ERR_error_string_n(code, text, sizeof text);
  return what + ": " + text;
}

// AES-GCM is the cheapest per record where the processor has AES and
// carry-less multiply instructions; without them ChaCha20-Poly1305 is, by far.
bool HasAesInstructions() {
#if defined(__x86_64__) || defined(__i386__)
  return __builtin_cpu_supports("aes") && __builtin_cpu_supports("pclmul");
#else
  return true;  // elsewhere AES first, as in OpenSSL's own order
#endif
}

// The server's order of preference; a client that puts ChaCha20 first (one
// without AES instructions) still gets it.
const char* Tls13Suites() {
  return HasAesInstructions()
             ? "TLS_AES_128_GCM_SHA256:TLS_CHACHA20_POLY1305_SHA256:TLS_AES_256_GCM_SHA384"
             : "TLS_CHACHA20_POLY1305_SHA256:TLS_AES_128_GCM_SHA256:TLS_AES_256_GCM_SHA384";
}

// TLS 1.2: forward secrecy and authenticated encryption only, in the same order.
const char* Tls12Ciphers() {
  return HasAesInstructions() ? "ECDHE+AESGCM+AES128:ECDHE+CHACHA20:ECDHE+AESGCM"
                              : "ECDHE+CHACHA20:ECDHE+AESGCM+AES128:ECDHE+AESGCM";
}

}  // namespace

TlsContext::TlsContext(std::string certFile, std::string keyFile)
    : certFile_(std::move(certFile)), keyFile_(std::move(keyFile)) {
  Reload();
}

TlsContext::~TlsContext() { SSL_CTX_free(ctx_); }

bool TlsContext::Reload() {
  ERR_clear_error();
  SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
  if (ctx == nullptr) {
    error_ = LastSslError("cannot make a TLS context");
    return false;
  }
  SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
  SSL_CTX_set_max_proto_version(ctx, TLS1_3_VERSION);
  // 128-bit keys first: as strong as a chat needs, and the cheapest per record.
  SSL_CTX_set_ciphersuites(ctx, Tls13Suites());
  SSL_CTX_set_cipher_list(ctx, Tls12Ciphers());
  SSL_CTX_set_options(ctx, SSL_OP_NO_RENEGOTIATION | SSL_OP_NO_COMPRESSION | SSL_OP_CIPHER_SERVER_PREFERENCE |
                               SSL_OP_PRIORITIZE_CHACHA);
  // Output is written as the socket takes it. Record buffers are given back
  // by the transport once a connection has been quiet for a while, not after
  // every write (SSL_MODE_RELEASE_BUFFERS): that costs an allocation a record.
  SSL_CTX_set_mode(ctx, SSL_MODE_ENABLE_PARTIAL_WRITE |
                            SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  // A member keeps one connection for hours: resuming sessions would save
  // little and cost memory per member.
  SSL_CTX_set_session_cache_mode(ctx, SSL_SESS_CACHE_OFF);
  SSL_CTX_set_num_tickets(ctx, 0);
  if (SSL_CTX_use_certificate_chain_file(ctx, certFile_.c_str()) != 1) {
    error_ = LastSslError("cannot use the certificate " + certFile_);
  } else if (SSL_CTX_use_PrivateKey_file(ctx, keyFile_.c_str(), SSL_FILETYPE_PEM) != 1) {
    error_ = LastSslError("cannot use the key " + keyFile_);
  } else if (SSL_CTX_check_private_key(ctx) != 1) {
    error_ = LastSslError("the key " + keyFile_ + " does not match the certificate");
  } else {
    // Connections already made hold their own reference to the old context.
    SSL_CTX_free(std::exchange(ctx_, ctx));
    error_.clear();
    return true;
  }
  SSL_CTX_free(ctx);
  return false;
}

}  // namespace orvinta::server
