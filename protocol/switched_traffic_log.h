#pragma once
// A traffic log that writes only while a switch of the settings is on, so
// the switch can change while the connection runs.
#include "platform/traffic_log.h"

namespace orvinta::protocol {

class SwitchedTrafficLog final : public platform::TrafficLog {
 public:
  SwitchedTrafficLog(const bool& on, platform::TrafficLog* target) : on_(on), target_(target) {}
  void SetTarget(platform::TrafficLog* target) { target_ = target; }
  void AddLine(const std::string& text, std::uint32_t colour) override {
    if (IsOn()) target_->AddLine(text, colour);
  }
  bool IsOn() const override { return on_ && target_; }

 private:
  const bool& on_;
  platform::TrafficLog* target_;
};

}  // namespace orvinta::protocol
