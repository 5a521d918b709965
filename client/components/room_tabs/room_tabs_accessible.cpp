#include "client/components/room_tabs/room_tabs_accessible.h"

#include "client/components/accessible_parts.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

const QString kCloseAction = QStringLiteral("close");

// One tab of the strip, by position.
class RoomTabAccessible final : public AccessibleLeaf, public QAccessibleActionInterface {
 public:
  RoomTabAccessible(RoomTabsAccessible* list, int index) : AccessibleLeaf(list), list_(list), index_(index) {}

  bool isValid() const override { return list_->isValid() && index_ < Strip().Count(); }
  QAccessible::Role role() const override { return QAccessible::PageTab; }

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

void RoomTabsAccessible::Install() { InstallAccessibleFactory<CRoomTabCtrl, RoomTabsAccessible>(); }

CRoomTabCtrl* RoomTabsAccessible::Tabs() const { return static_cast<CRoomTabCtrl*>(widget()); }

QString RoomTabsAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return QStringLiteral("대화방");
  return QAccessibleWidget::text(t);
}

int RoomTabsAccessible::childCount() const { return Tabs()->TabCount(); }

QAccessibleInterface* RoomTabsAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  auto* self = const_cast<RoomTabsAccessible*>(this);
  return children_.At(index, [self](int at) { return new RoomTabAccessible(self, at); });
}

int RoomTabsAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return children_.IndexOf(child, childCount());
}

QAccessibleInterface* RoomTabsAccessible::childAt(int x, int y) const {
  const QPoint at = Tabs()->mapFromGlobal(QPoint(x, y));
  return child(Tabs()->Strip().TabAt(at.x(), at.y()));
}

QAccessibleInterface* RoomTabsAccessible::focusChild() const {
  return Tabs()->hasFocus() ? child(Tabs()->SelectedTab()) : nullptr;
}

}  // namespace orvinta::components
