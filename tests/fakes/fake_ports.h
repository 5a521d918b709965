#pragma once
// Recording adapters of the small ports: message boxes, the traffic log, sound.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/sound.h"
#include "platform/traffic_log.h"

namespace orvinta::fakes {

struct ShownBox {
  std::string text;
  std::string caption;
  platform::BoxButtons buttons;
};

class FakeMessageBoxes final : public platform::MessageBoxes {
 public:
  platform::BoxAnswer Show(const std::string& text, const std::string& caption, platform::BoxButtons buttons) override {
    shown.push_back({text, caption, buttons});
    if (onShow) onShow();
    if (buttons == platform::BoxButtons::Ok) return platform::BoxAnswer::Ok;
    if (answers.empty()) return platform::BoxAnswer::No;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<ShownBox> shown;
  std::deque<platform::BoxAnswer> answers;  // for Yes/No questions, in order
  std::function<void()> onShow;
};

class FakeTrafficLog final : public platform::TrafficLog {
 public:
  void AddLine(const std::string& text, std::uint32_t colour) override { lines.push_back({text, colour}); }
  std::vector<std::pair<std::string, std::uint32_t>> lines;
};

class FakeSound final : public platform::Sound {
 public:
  void Play(int resourceId) override { played.push_back(resourceId); }
  std::vector<int> played;
};

}  // namespace orvinta::fakes
