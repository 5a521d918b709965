#pragma once
// The image buttons of the main window: the toolbar row's and the end button.
#include "client/components/buttons/image_button.h"

namespace orvinta::buttons {

enum ToolbarButtonId : int {
  kClearButton = 1058,     // "화면지우기"
  kSettingsButton = 1059,  // "입력 단축키를 설정합니다"
  kSaveButton = 1060,      // "채팅 내용을 저장합니다"
  kSendButton = 1031,      // "메세지 전송"
  kEmoticonButton = 1033,  // "이모티콘"
  kBoldButton = 1041,      // "굵게", a toggle, as are the next two
  kItalicButton = 1042,    // "기울임"
  kUnderlineButton = 1043, // "밑줄"
  kEndButton = 1017,       // "대화를 종료합니다"
};

// A flat image button with the id's bitmap, tooltip and name ("clearButton",
// "sendButton", "boldButton", "connectButton", ...). Null for other ids.
CImageButton* MakeToolbarButton(int id, QWidget* parent);

}  // namespace orvinta::buttons
