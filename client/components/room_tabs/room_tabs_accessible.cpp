#include "client/components/room_tabs/room_tabs_accessible.h"

#include "client/components/room_tabs/room_tab_ctrl.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

const QString kCloseAction = QStringLiteral("close");

QAccessibleInterface* Make(const QString&, QObject* object) {
  auto* tabs = qobject_cast<CRoomTabCtrl*>(object);
  return tabs ? new RoomTabsAccessible(tabs) : nullptr;
}

// One tab of the strip, by position.
class RoomTabAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  RoomTabAccessible(RoomTabsAccessible* list, int index) : list_(list), index_(index) {}

  bool isValid() const override { return list_->isValid() && index_ < Strip().Count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return list_->window(); }
  QAccessibleInterface* parent() const override { return list_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return platform::qt::FromCp949(Strip().Text(index_));
    if (t == QAccessible::Description) return TabNewsText(Strip().Image(index_));
    return {};
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = index_ == Strip().Selected();
    s.focused = s.selected && list_->Tabs()->hasFocus();
    if (!Strip().Visible(index_)) s.offscreen = s.invisible = true;
    return s;
  }

  QRect rect() const override {
    if (!isValid() || !Strip().Visible(index_)) return {};
    const Rect r = Strip().ItemRect(index_);
    const QPoint at = list_->Tabs()->mapToGlobal(QPoint(r.left, r.top));
    return QRect(at, QSize(r.Width(), r.Height()));
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  QStringList actionNames() const override {
    if (!isValid()) return {};
    QStringList names{pressAction()};
    if (Strip().CloseIconOf(index_)) names << kCloseAction;
    return names;
  }
  QString localizedActionName(const QString& name) const override {
    if (name == kCloseAction) return QStringLiteral("닫기");
    if (name == pressAction()) return QStringLiteral("선택");
    return QAccessibleActionInterface::localizedActionName(name);
  }
  QString localizedActionDescription(const QString& name) const override { return localizedActionName(name); }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  void doAction(const QString& name) override {
    if (!isValid()) return;
    if (name == pressAction()) list_->Tabs()->ChooseTab(index_);
    if (name == kCloseAction) list_->Tabs()->AskToClose(index_);
  }

 private:
  const RoomTabStrip& Strip() const { return list_->Tabs()->Strip(); }

  RoomTabsAccessible* list_;
  int index_;
};

}  // namespace

QString TabNewsText(int image) {
  if (image == kTabImageMention) return QStringLiteral("새 메시지, 나를 부름");
  if (image == kTabImageActivity) return QStringLiteral("새 메시지");
  return {};
}

RoomTabsAccessible::RoomTabsAccessible(CRoomTabCtrl* tabs) : QAccessibleWidget(tabs, QAccessible::PageTabList) {}

RoomTabsAccessible::~RoomTabsAccessible() {
  for (const QAccessible::Id id : children_) QAccessible::deleteAccessibleInterface(id);
}

void RoomTabsAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(Make);
    return true;
  }();
  (void)installed;
}

CRoomTabCtrl* RoomTabsAccessible::Tabs() const { return static_cast<CRoomTabCtrl*>(widget()); }

QString RoomTabsAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return QStringLiteral("대화방");
  return QAccessibleWidget::text(t);
}

int RoomTabsAccessible::childCount() const { return Tabs()->TabCount(); }

QAccessibleInterface* RoomTabsAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  while (static_cast<int>(children_.size()) <= index) {
    auto* tab = new RoomTabAccessible(const_cast<RoomTabsAccessible*>(this), static_cast<int>(children_.size()));
    children_.push_back(QAccessible::registerAccessibleInterface(tab));
  }
  return QAccessible::accessibleInterface(children_[static_cast<std::size_t>(index)]);
}

int RoomTabsAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (std::size_t i = 0; i < children_.size() && static_cast<int>(i) < childCount(); ++i) {
    if (QAccessible::accessibleInterface(children_[i]) == child) return static_cast<int>(i);
  }
  return -1;
}

QAccessibleInterface* RoomTabsAccessible::childAt(int x, int y) const {
  const QPoint at = Tabs()->mapFromGlobal(QPoint(x, y));
  return child(Tabs()->Strip().TabAt(at.x(), at.y()));
}

QAccessibleInterface* RoomTabsAccessible::focusChild() const {
  return Tabs()->hasFocus() ? child(Tabs()->SelectedTab()) : nullptr;
}

}  // namespace orvinta::components
