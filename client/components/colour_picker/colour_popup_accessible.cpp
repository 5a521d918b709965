#include "client/components/colour_picker/colour_popup_accessible.h"

#include "client/components/colour_picker/colour_palette.h"
#include "client/components/colour_picker/colour_picker_state.h"
#include "client/components/colour_picker/colour_popup.h"

namespace orvinta::components {
namespace {

QAccessibleInterface* Make(const QString&, QObject* object) {
  auto* popup = qobject_cast<ColourPopup*>(object);
  return popup ? new ColourPopupAccessible(popup) : nullptr;
}

class PaletteRowAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PaletteRowAccessible(ColourPopupAccessible* list, int row) : list_(list), row_(row) {}

  bool isValid() const override { return list_->isValid() && row_ < list_->childCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return list_->window(); }
  QAccessibleInterface* parent() const override { return list_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    const PickerItem item = Item();
    const PopupContent& content = list_->Popup()->Content();
    if (item.kind == PickerItemKind::Automatic) return content.defaultText;
    if (item.kind == PickerItemKind::More) return content.customText;
    const auto name = Palette()[static_cast<std::size_t>(item.index)].name;
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).trimmed();
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const PickerItem item = Item();
    const PopupContent& content = list_->Popup()->Content();
    s.selectable = s.focusable = true;
    s.selected = item.kind == PickerItemKind::Automatic
                     ? content.colour == kAutomaticColour
                     : item.kind == PickerItemKind::Swatch &&
                           Palette()[static_cast<std::size_t>(item.index)].colour == content.colour;
    s.focused = item == list_->Popup()->Hot();
    return s;
  }

  QRect rect() const override {
    if (!isValid()) return {};
    const PickerItem item = Item();
    const PickerLayout& layout = list_->Popup()->Layout();
    const Rect r = item.kind == PickerItemKind::Automatic ? layout.AutomaticRect()
                   : item.kind == PickerItemKind::More    ? layout.MoreRect()
                                                          : layout.SwatchRect(item.index);
    return QRect(list_->Popup()->mapToGlobal(QPoint(r.left, r.top)), QSize(r.Width(), r.Height()));
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && isValid()) list_->Popup()->Choose(Item());
  }

 private:
  PickerItem Item() const { return list_->Rows()[static_cast<std::size_t>(row_)]; }

  ColourPopupAccessible* list_;
  int row_;
};

}  // namespace

ColourPopupAccessible::ColourPopupAccessible(ColourPopup* popup) : QAccessibleWidget(popup, QAccessible::List) {}

ColourPopupAccessible::~ColourPopupAccessible() {
  for (const QAccessible::Id id : children_) QAccessible::deleteAccessibleInterface(id);
}

void ColourPopupAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(Make);
    return true;
  }();
  (void)installed;
}

ColourPopup* ColourPopupAccessible::Popup() const { return static_cast<ColourPopup*>(widget()); }

QString ColourPopupAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return QStringLiteral("색상표");
  return QAccessibleWidget::text(t);
}

std::vector<PickerItem> ColourPopupAccessible::Rows() const {
  std::vector<PickerItem> rows;
  const PickerLayout& layout = Popup()->Layout();
  if (layout.HasAutomatic()) rows.push_back({PickerItemKind::Automatic, -1});
  for (int i = 0; i < static_cast<int>(Palette().size()); ++i) rows.push_back({PickerItemKind::Swatch, i});
  if (layout.HasMore()) rows.push_back({PickerItemKind::More, -1});
  return rows;
}

int ColourPopupAccessible::RowOf(PickerItem item) const {
  const auto rows = Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] == item) return static_cast<int>(i);
  }
  return -1;
}

int ColourPopupAccessible::childCount() const { return static_cast<int>(Rows().size()); }

QAccessibleInterface* ColourPopupAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  while (static_cast<int>(children_.size()) <= index) {
    auto* row = new PaletteRowAccessible(const_cast<ColourPopupAccessible*>(this), static_cast<int>(children_.size()));
    children_.push_back(QAccessible::registerAccessibleInterface(row));
  }
  return QAccessible::accessibleInterface(children_[static_cast<std::size_t>(index)]);
}

int ColourPopupAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (QAccessible::accessibleInterface(children_[i]) == child) return static_cast<int>(i);
  }
  return -1;
}

QAccessibleInterface* ColourPopupAccessible::focusChild() const { return child(RowOf(Popup()->Hot())); }

}  // namespace orvinta::components
