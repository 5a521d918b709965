#pragma once
// A private authority made with the openssl command for one test, a server
// certificate for 127.0.0.1 and localhost signed by it, and an unrelated
// authority of the same name that nobody should trust.
#include <memory>
#include <string>

namespace orvinta::testing {

struct TestCa {
  std::string caFile, certFile, keyFile, otherCaFile;
  bool ok = false;
  std::shared_ptr<void> removesDir;  // the folder goes with the last copy
};

TestCa MakeTestCa();
// A new key and certificate (another serial) from the same authority, written
// over the server's files as a renewal would.
bool RenewServerCertificate(const TestCa& ca);

}  // namespace orvinta::testing
