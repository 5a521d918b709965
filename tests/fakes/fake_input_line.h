#pragma once
// The message input line as plain state: its text, the last default format,
// and what was inserted, focused and repainted.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input_line.h"

namespace orvinta::fakes {

class FakeInputLine final : public platform::InputLine {
 public:
  struct Format {
    int size = 0;
    std::uint32_t colour = 0;
    int style = 0;
    int face = 0;
    bool operator==(const Format&) const = default;
  };

  std::string Content() const override { return text; }
  void Clear() override {
    text.clear();
    ++clears;
  }
  void SetDefaultFormat(int size, std::uint32_t colour, int style, int face) override {
    format = {size, colour, style, face};
    ++formats;
  }
  // The fake has no selection of its own: a replacement lands at the end.
  void ReplaceSelection(const std::string& replacement) override {
    text += replacement;
    replaced.push_back(replacement);
  }
  void InsertText(const std::string& inserted) override {
    text += inserted;
    this->inserted.push_back(inserted);
  }
  void Focus() override { ++focuses; }
  void Repaint() override { ++repaints; }

  std::string text;
  Format format;
  std::vector<std::string> replaced;
  std::vector<std::string> inserted;
  int clears = 0, formats = 0, focuses = 0, repaints = 0;
};

}  // namespace orvinta::fakes
