#pragma once
// The member-list pane: the current room's members as rows, with the header's
// count. The logic hands over whole lists; a view redraws only the rows that
// changed, and only where they are visible. Texts are code page 949 bytes.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace orvinta::platform {

struct MemberRow {
  std::string id;           // as kept in the room's list; what a click reports
  std::string label;        // what the row shows: nick + "(" + id without leading "_" + ")"
  std::string iconAddress;  // the member's picture; rows with the same address share one
  int status = 0;           // 1-6 draw a status mark; anything else none
  bool operator==(const MemberRow&) const = default;
};

class MemberListListener {
 public:
  virtual ~MemberListListener() = default;
  // A mouse button was released over the list: `id` of the row under it, "" off the rows.
  virtual void OnMemberButtonUp(const std::string& id) = 0;
  // The Menu key (or Shift+F10) on the row of `id`: its menu opens at (x, y) on the screen.
  virtual void OnMemberMenuKey(const std::string& id, int x, int y) { (void)id, (void)x, (void)y; }
};

class MemberListView {
 public:
  virtual ~MemberListView() = default;
  // Events go to at most one listener; nullptr stops them.
  virtual void SetListener(MemberListListener* listener) = 0;
  // The rows shown, in order.
  virtual void SetRows(std::vector<MemberRow> rows) = 0;
  // The header's member count.
  virtual void SetCount(std::size_t count) = 0;
  virtual void Show(bool visible) = 0;
};

class MemberListViewFactory {
 public:
  virtual ~MemberListViewFactory() = default;
  // A new hidden view; the window host places it.
  virtual std::unique_ptr<MemberListView> Create() = 0;
};

}  // namespace orvinta::platform
