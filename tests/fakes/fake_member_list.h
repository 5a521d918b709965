#pragma once
// A member list that keeps what it was given and counts the hand-overs, with
// clicks on a row by id.
#include <memory>
#include <string>
#include <vector>

#include "platform/member_list_view.h"

namespace orvinta::fakes {

class FakeMemberList final : public platform::MemberListView {
 public:
  void SetListener(platform::MemberListListener* listener) override { listener_ = listener; }
  void SetRows(std::vector<platform::MemberRow> rows) override {
    this->rows = std::move(rows);
    ++operations;
  }
  void SetCount(std::size_t value) override {
    count = value;
    ++operations;
  }
  void Show(bool shown) override { visible = shown; }

  // The labels in order, one per line, each with " [status]" when a mark is drawn.
  std::string Text() const {
    std::string text;
    for (const auto& row : rows) {
      text += row.label;
      if (row.status >= 1 && row.status <= 6) text += " [" + std::to_string(row.status) + "]";
      text += '\n';
    }
    return text;
  }
  void Click(const std::string& id) {
    if (listener_) listener_->OnMemberButtonUp(id);
  }

  std::vector<platform::MemberRow> rows;
  std::size_t count = 0;
  int operations = 0;
  bool visible = false;

 private:
  platform::MemberListListener* listener_ = nullptr;
};

class FakeMemberListFactory final : public platform::MemberListViewFactory {
 public:
  std::unique_ptr<platform::MemberListView> Create() override {
    auto view = std::make_unique<FakeMemberList>();
    last = view.get();
    return view;
  }
  FakeMemberList* last = nullptr;
};

}  // namespace orvinta::fakes
