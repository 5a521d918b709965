#pragma once
// The member-list pane as a native view: the header with the member count
// over a list of rows. Hand-overs land in the model; the list repaints what
// changed, at most once a frame, and only what is visible.
#include <QListView>
#include <QWidget>
#include <memory>

#include "client/components/member_list/member_list_model.h"
#include "platform/member_list_view.h"

namespace orvinta::components {

class StatusPictures;

class MemberListPane final : public QWidget, public platform::MemberListView {
  Q_OBJECT
 public:
  // The header: 3 pixels of space, the 27-pixel band, 8 pixels of space.
  static constexpr int kHeaderTop = 3;
  static constexpr int kHeaderHeight = 27;
  static constexpr int kListTop = kHeaderTop + kHeaderHeight + 8;

  // `pictures` (shared by every room's list, may be null) gives the status cells their pictures.
  explicit MemberListPane(StatusPictures* pictures = nullptr, QWidget* parent = nullptr);

  void SetListener(platform::MemberListListener* listener) override { listener_ = listener; }
  void SetRows(std::vector<platform::MemberRow> rows) override { model_.SetRows(std::move(rows)); }
  void SetCount(std::size_t count) override;
  void Show(bool visible) override { setVisible(visible); }

  QListView& List() { return *list_; }
  // The Menu key or Shift+F10 on the list: the member menu of the current row, beside it.
  void OpenMenuFromKeyboard();
  const MemberListModel& Model() const { return model_; }
  std::size_t Count() const { return count_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect HeaderRect() const;

  MemberListModel model_;
  QListView* list_;
  platform::MemberListListener* listener_ = nullptr;
  std::size_t count_ = 0;
};

class MemberListPaneFactory final : public platform::MemberListViewFactory {
 public:
  explicit MemberListPaneFactory(StatusPictures* pictures = nullptr) : pictures_(pictures) {}
  std::unique_ptr<platform::MemberListView> Create() override;

 private:
  StatusPictures* pictures_;
};

}  // namespace orvinta::components
