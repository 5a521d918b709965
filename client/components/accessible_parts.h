#pragma once
// What the drawn widgets' screen-reader interfaces share: their factory,
// installed once, the parts of a drawn child (a tab, a swatch, a bar) that
// are no widget of their own, and the list of such children by position.
#include <QAccessible>
#include <QAccessibleInterface>
#include <vector>

namespace orvinta::components {

// Makes every `Widget` answer screen readers with an `Interface` (once for the program).
template <class Widget, class Interface>
void InstallAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
      auto* widget = qobject_cast<Widget*>(object);
      return widget ? new Interface(widget) : nullptr;
    });
    return true;
  }();
  (void)installed;
}

// A drawn part inside a widget's interface: no object, no children.
class AccessibleLeaf : public QAccessibleInterface {
 public:
  explicit AccessibleLeaf(QAccessibleInterface* parent) : parent_(parent) {}
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent_->window(); }
  QAccessibleInterface* parent() const override { return parent_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}

 private:
  QAccessibleInterface* parent_;
};

// Drawn children by position, each registered when first asked for and
// answering for whatever stands at its position now; gone with the owner.
class AccessibleChildren {
 public:
  AccessibleChildren() = default;
  AccessibleChildren(const AccessibleChildren&) = delete;
  AccessibleChildren& operator=(const AccessibleChildren&) = delete;
  ~AccessibleChildren() {
    for (const QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
  }
  // `make(position)` makes a new child's interface.
  template <class Make>
  QAccessibleInterface* At(int index, Make make) {
    while (static_cast<int>(ids_.size()) <= index) {
      ids_.push_back(QAccessible::registerAccessibleInterface(make(static_cast<int>(ids_.size()))));
    }
    return QAccessible::accessibleInterface(ids_[static_cast<std::size_t>(index)]);
  }
  int IndexOf(const QAccessibleInterface* child, int count) const {
    for (std::size_t i = 0; i < ids_.size() && static_cast<int>(i) < count; ++i) {
      if (QAccessible::accessibleInterface(ids_[i]) == child) return static_cast<int>(i);
    }
    return -1;
  }

 private:
  std::vector<QAccessible::Id> ids_;
};

}  // namespace orvinta::components
