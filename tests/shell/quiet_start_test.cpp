#include <gtest/gtest.h>

#include "client/shell/quiet_start.h"

namespace orvinta::shell {
namespace {

TEST(QuietStart, EngineFlagsGetALogLevelUnlessTheUserChoseOne) {
  EXPECT_EQ(QuietEngineFlags(std::nullopt), "--log-level=3");
  EXPECT_EQ(QuietEngineFlags(""), "--log-level=3");
  EXPECT_EQ(QuietEngineFlags("--disable-gpu"), "--disable-gpu --log-level=3");
  EXPECT_EQ(QuietEngineFlags("--log-level=0 --disable-gpu"), "--log-level=0 --disable-gpu");
}

TEST(QuietStart, LoggingRulesTheUserSetAreKept) {
  EXPECT_EQ(QuietLoggingRules(std::nullopt), "qt.webenginecontext.info=false");
  EXPECT_EQ(QuietLoggingRules("*.debug=true"), "*.debug=true");
}

TEST(QuietStart, SortsTheToolkitsMessages) {
  const struct {
    std::string_view category, message;
    MessageVerdict verdict;
  } cases[] = {
      {"default", "Sandboxing disabled by user.", MessageVerdict::Drop},
      {"qt.webenginecontext", "GL Type: desktop", MessageVerdict::Drop},
      {"default", "QXcbIntegration: Cannot create platform OpenGL context, neither GLX nor EGL are enabled",
       MessageVerdict::Drop},
      {"default", "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'", MessageVerdict::Drop},
      {"default", "PulseAudioService: pa_context_connect() failed", MessageVerdict::AudioMissing},
      {"default", "No audio device detected", MessageVerdict::AudioMissing},
      {"default", "QLocalSocket: something real", MessageVerdict::Show},
      {"qt.network.ssl", "Sandboxing disabled by user.", MessageVerdict::Show},
  };
  for (const auto& c : cases) EXPECT_EQ(SortMessage(c.category, c.message), c.verdict) << c.message;
}

}  // namespace
}  // namespace orvinta::shell
