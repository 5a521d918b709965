#pragma once
// Test discovery runs each test program to list its cases: a listing needs
// neither an application object nor the browser engine, whose start-up
// would only print its warnings into the build.
#include <gtest/gtest.h>

#include <cstring>

namespace orvinta::testing_support {

// Lists the cases into `result` and answers true when that is all the run asks.
inline bool ListedOnly(int& argc, char** argv, int& result) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
  if (!listing) return false;
  ::testing::InitGoogleTest(&argc, argv);
  result = RUN_ALL_TESTS();
  return true;
}

}  // namespace orvinta::testing_support
