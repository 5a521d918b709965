#pragma once
// The server's log as the core sees it: one line per event, at a level. The
// core never writes itself; the program passes lines to standard error.
#include <string>
#include <string_view>

namespace orvinta::server {

enum class LogLevel { kQuiet, kNormal, kVerbose };

class EventLog {
 public:
  virtual ~EventLog() = default;
  virtual bool Wants(LogLevel level) const = 0;
  // line is UTF-8 without a line feed.
  virtual void Write(std::string_view line) = 0;
};

// Code page 949 text from a peer made safe for one log line: UTF-8, control
// bytes escaped (a received line feed cannot start a forged line), cut to
// maxBytes of the original.
std::string LogText(std::string_view cp949, std::size_t maxBytes = 120);

// Writes to standard error, each line stamped with the UTC time.
class StderrLog final : public EventLog {
 public:
  explicit StderrLog(LogLevel level) : level_(level) {}
  bool Wants(LogLevel level) const override { return level != LogLevel::kQuiet && level <= level_; }
  void Write(std::string_view line) override;

 private:
  LogLevel level_;
};

class NoLog final : public EventLog {
 public:
  bool Wants(LogLevel) const override { return false; }
  void Write(std::string_view) override {}
};

}  // namespace orvinta::server
