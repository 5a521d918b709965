#include "client/components/buttons/toolbar_buttons.h"

#include "client/components/buttons/button_art.h"

namespace orvinta::buttons {
namespace {

struct ToolbarButton {
  int id;
  const char* name;
  const char* tooltip;
  bool toggles = false;
};

constexpr ToolbarButton kToolbarButtons[] = {
    {kClearButton, "clearButton", "화면지우기"},
    {kSettingsButton, "settingsButton", "입력 단축키를 설정합니다"},
    {kSaveButton, "saveButton", "채팅 내용을 저장합니다"},
    {kSendButton, "sendButton", "메세지 전송"},
    {kEmoticonButton, "emoticonButton", "이모티콘"},
    {kBoldButton, "boldButton", "굵게", true},
    {kItalicButton, "italicButton", "기울임", true},
    {kUnderlineButton, "underlineButton", "밑줄", true},
    {kEndButton, "connectButton", "대화를 종료합니다"},
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
    button->SetCheckBox(entry.toggles);
    return button;
  }
  return nullptr;
}

}  // namespace orvinta::buttons
