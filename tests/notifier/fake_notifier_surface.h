#pragma once
// A popup window that only records what it was asked to do.
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "client/components/notifier/notifier_surface.h"

namespace orvinta::components {

class FakeNotifierSurface final : public NotifierSurface {
 public:
  std::optional<Size> SkinSize(int skinId) const override {
    const auto it = skins.find(skinId);
    if (it == skins.end()) return std::nullopt;
    return it->second;
  }
  Rect AnchorRect() const override { return anchor; }
  void Place(const Rect& frame) override {
    placed.push_back(frame);
    tallest = std::max(tallest, frame.Height());
  }
  void ShowInactive() override { visible = true, ++shows; }
  void Hide() override { visible = false; }
  void Repaint() override { ++repaints; }

  std::map<int, Size> skins{{217, {225, 130}}, {229, {225, 130}}};
  Rect anchor{100, 50, 900, 650};
  std::vector<Rect> placed;
  int tallest = 0;
  bool visible = false;
  int shows = 0;
  int repaints = 0;
};

}  // namespace orvinta::components
