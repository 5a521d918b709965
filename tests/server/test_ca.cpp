#include "tests/server/test_ca.h"

#include <cstdlib>
#include <filesystem>

namespace orvinta::testing {

namespace {

std::string ServerCertificateCommands() {
  return "openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout server.key"
         " -out server.csr -subj /CN=localhost && openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key"
         " -CAcreateserial -days 2 -extfile ext -out server.pem";
}

}  // namespace

TestCa MakeTestCa() {
  TestCa ca;
  char pattern[] = "/tmp/orvinta-ca-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return ca;
  const std::string dir = pattern;
  ca.removesDir = std::shared_ptr<void>(nullptr, [dir](void*) { std::error_code e; std::filesystem::remove_all(dir, e); });
  ca = {dir + "/ca.pem", dir + "/server.pem", dir + "/server.key", dir + "/other.pem", false, ca.removesDir};
  const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2";
  const std::string script =
      "(cd '" + dir + "' && printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\\n' > ext" +
      " && openssl req -x509" + ec + " -keyout ca.key -out ca.pem -subj /CN=OrvintaTestCA" +
      " && openssl req -x509" + ec + " -keyout other.key -out other.pem -subj /CN=OrvintaTestCA" +
      " && " + ServerCertificateCommands() + ") >/dev/null 2>&1";
  ca.ok = std::system(script.c_str()) == 0 && std::filesystem::exists(ca.certFile);
  return ca;
}

bool RenewServerCertificate(const TestCa& ca) {
  const std::string dir = std::filesystem::path(ca.certFile).parent_path();
  return std::system(("(cd '" + dir + "' && " + ServerCertificateCommands() + ") >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace orvinta::testing
