#include "client/components/buttons/toolbar_buttons.h"

#include "client/components/buttons/button_art.h"

namespace orvinta::buttons {
namespace {

struct ToolbarButton {
  int id;
  const char* name;
  const char* tooltip;
};

constexpr ToolbarButton kToolbarButtons[] = {
    {kClearButton, "clearButton", "화면지우기"},
    {kSettingsButton, "settingsButton", "입력 단축키를 설정합니다"},
    {kSaveButton, "saveButton", "채팅 내용을 저장합니다"},
};

}  // namespace

CImageButton* MakeToolbarButton(int id, QWidget* parent) {
  for (const ToolbarButton& entry : kToolbarButtons) {
    if (entry.id != id) continue;
    auto* button = new CImageButton(parent);
    button->setObjectName(QString::fromUtf8(entry.name));
    button->SetBitmaps(id, ArtTransparentColour(id), 0, QColor());
    button->SetTooltip(QString::fromUtf8(entry.tooltip));
    button->setFixedSize(ArtSize(id));
    return button;
  }
  return nullptr;
}

}  // namespace orvinta::buttons
