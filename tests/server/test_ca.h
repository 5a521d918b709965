#pragma once
// A private certificate authority made with the openssl command for one test:
// its certificate, and a server certificate for 127.0.0.1 and localhost signed
// by it. A second, unrelated authority stands for one nobody trusts.
#include <memory>
#include <string>

namespace orvinta::testing {

struct TestCa {
  std::string dir;
  std::string caFile;      // the authority's certificate
  std::string certFile;    // the server's, signed by it
  std::string keyFile;
  std::string otherCaFile; // an authority that signed nothing here
  bool ok = false;
  std::shared_ptr<void> removesDir;  // the folder goes with the last copy
};

// Everything in a fresh folder under the temporary directory.
TestCa MakeTestCa();

}  // namespace orvinta::testing
