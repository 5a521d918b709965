#include "tests/server/test_ca.h"

#include <cstdlib>
#include <filesystem>

namespace orvinta::testing {

TestCa MakeTestCa() {
  TestCa ca;
  char pattern[] = "/tmp/orvinta-ca-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return ca;
  ca.dir = pattern;
  ca.removesDir = std::shared_ptr<void>(nullptr, [dir = ca.dir](void*) {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  });
  ca.caFile = ca.dir + "/ca.pem";
  ca.certFile = ca.dir + "/server.pem";
  ca.keyFile = ca.dir + "/server.key";
  ca.otherCaFile = ca.dir + "/other.pem";
  const std::string d = "'" + ca.dir + "'";
  const std::string ec = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
  const std::string script =
      "cd " + d + " && printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\\n' > ext" +
      " && openssl req -x509" + ec + " -keyout ca.key -out ca.pem -days 2 -subj /CN=OrvintaTestCA" +
      " && openssl req -x509" + ec + " -keyout other.key -out other.pem -days 2 -subj /CN=OrvintaTestCA" +
      " && openssl req" + ec + " -keyout server.key -out server.csr -subj /CN=localhost" +
      " && openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2" +
      " -extfile ext -out server.pem) >/dev/null 2>&1";
  ca.ok = std::system(("(" + script).c_str()) == 0 && std::filesystem::exists(ca.certFile);
  return ca;
}

}  // namespace orvinta::testing
