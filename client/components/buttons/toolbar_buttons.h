#pragma once
// The three image buttons of the main window's toolbar row.
#include "client/components/buttons/image_button.h"

namespace orvinta::buttons {

enum ToolbarButtonId : int {
  kClearButton = 1058,     // "화면지우기"
  kSettingsButton = 1059,  // "입력 단축키를 설정합니다"
  kSaveButton = 1060,      // "채팅 내용을 저장합니다"
};

// A flat image button with the id's bitmap and tooltip, named
// "clearButton", "settingsButton" or "saveButton". Null for other ids.
CImageButton* MakeToolbarButton(int id, QWidget* parent);

}  // namespace orvinta::buttons
