#pragma once
// The server's TLS settings: one certificate chain and key (PEM), TLS 1.2 and
// 1.3 only. Reload reads the files again; connections accepted before keep
// the settings they started with, so a renewed certificate drops nobody.
#include <string>

typedef struct ssl_ctx_st SSL_CTX;

namespace orvinta::server {

class TlsContext {
 public:
  TlsContext(std::string certFile, std::string keyFile);
  ~TlsContext();
  TlsContext(const TlsContext&) = delete;
  TlsContext& operator=(const TlsContext&) = delete;

  // False, with Error() saying why, when the files cannot be used; the
  // settings loaded before stay in force.
  bool Reload();
  bool Valid() const { return ctx_ != nullptr; }
  const std::string& Error() const { return error_; }
  SSL_CTX* Get() const { return ctx_; }

 private:
  std::string certFile_;
  std::string keyFile_;
  std::string error_;
  SSL_CTX* ctx_ = nullptr;
};

}  // namespace orvinta::server
