#include "client/components/colour_picker/colour_popup_accessible.h"

#include "client/components/accessible_parts.h"
#include "client/components/colour_picker/colour_palette.h"
#include "client/components/colour_picker/colour_picker_state.h"
#include "client/components/colour_picker/colour_popup.h"

namespace orvinta::components {
namespace {

class PaletteRowAccessible final : public AccessibleLeaf, public QAccessibleActionInterface {
 public:
  PaletteRowAccessible(ColourPopupAccessible* list, int row) : AccessibleLeaf(list), list_(list), row_(row) {}

  bool isValid() const override { return list_->isValid() && row_ < list_->childCount(); }
  QAccessible::Role role() const override { return QAccessible::ListItem; }

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

void ColourPopupAccessible::Install() { InstallAccessibleFactory<ColourPopup, ColourPopupAccessible>(); }

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
  auto* self = const_cast<ColourPopupAccessible*>(this);
  return children_.At(index, [self](int at) { return new PaletteRowAccessible(self, at); });
}

int ColourPopupAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return children_.IndexOf(child, childCount());
}

QAccessibleInterface* ColourPopupAccessible::focusChild() const { return child(RowOf(Popup()->Hot())); }

}  // namespace orvinta::components
