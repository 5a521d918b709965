// The command line of quendel-host.
#include <gtest/gtest.h>

#include "webcontrol/host/host_options.h"

namespace orvinta::quendel::host {
namespace {

std::optional<HostOptions> Parse(QStringList args, QString* error = nullptr) {
  QString ignored;
  args.prepend("quendel-host");
  return ParseHostOptions(args, error ? *error : ignored);
}

TEST(QuendelHostOptions, TakesAPageAndItsOptions) {
  const auto options = Parse({"--register", "--cookie", "blvsession_eid=x", "--dump-when-title", "done", "--dump-file",
                              "/tmp/d", "--timeout-ms", "5000", "page.html"});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->registerModule);
  EXPECT_FALSE(options->unregisterModule);
  EXPECT_EQ(options->cookie, "blvsession_eid=x");
  EXPECT_EQ(options->dumpWhenTitle, "done");
  EXPECT_EQ(options->dumpFile, "/tmp/d");
  EXPECT_EQ(options->timeoutMs, 5000);
  EXPECT_EQ(options->page, "page.html");
}

TEST(QuendelHostOptions, RefusesWhatItCannotUse) {
  const QStringList refused[] = {
      {"--cookie"},                          // value missing
      {"--timeout-ms", "soon"},              // not a number
      {"--timeout-ms", "-1"},                // negative
      {"--dump-when-title", "done", "p"},    // no file to dump to
      {"--screenshot", "s.png", "p"},        // no time to take it at
      {"--frobnicate"},                      // unknown
      {"a.html", "b.html"},                  // two pages
  };
  for (const QStringList& args : refused) {
    QString error;
    EXPECT_FALSE(Parse(args, &error)) << args.join(' ').toStdString();
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST(QuendelHostOptions, RegistrationAloneNeedsNoPage) {
  const auto options = Parse({"--unregister", "--module", "/opt/libquendel.so"});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->unregisterModule);
  EXPECT_EQ(options->modulePath, "/opt/libquendel.so");
  EXPECT_TRUE(options->page.isEmpty());
}

}  // namespace
}  // namespace orvinta::quendel::host
