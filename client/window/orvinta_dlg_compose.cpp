// Composing and sending: the send button, the toolbar's face, size, style and
// colour choices, emoticons, the shortcut keys and the keyboard filter.
#include "client/compose/chat_composer.h"
#include "client/compose/compose_tables.h"
#include "client/window/emoticons.h"
#include "client/window/orvinta_dlg.h"
#include "protocol/guarded.h"

namespace orvinta::window {
namespace {

constexpr int kStyleMask = compose::kStyleBold | compose::kStyleItalic | compose::kStyleUnderline;

compose::ComposeSettings ComposeSettingsOf(const Channel& channel) {
  return {channel.fontFace, channel.style, channel.fontSize, channel.textColour, channel.backColour};
}

}  // namespace

void COrvintaDlg::ApplyInputFormat(const Channel& channel) {
  if (ports_.input) ports_.input->SetDefaultFormat(channel.fontSize, channel.textColour, channel.style, channel.fontFace);
}

void COrvintaDlg::OnBnClickedChatsend() {
  Guarded([&] {
    platform::InputLine* input = ports_.input;
    if (!input) return;
    const std::string content = input->Content();
    const std::string typed(compose::TypedText(content));
    input->Clear();  // what cannot be sent is discarded as well
    if (typed.empty() || !connected_ || !current_ || current_->kind == ChannelKind::WaitingRoom) return;

    Channel& channel = *current_;
    channel.history.Add(typed);
    const compose::SenderContext sender{texts_.Header, texts_.Footer, settings_.IconNo, settings_.Nick};
    const std::string line = compose::ComposeChatLine(typed, ComposeSettingsOf(channel), sender);
    const std::string name = channel.name;
    session_->SendToAll(name, line);
    AddMessage(name, settings_.UserId, line);
  });
}

void COrvintaDlg::OnFaceChosen(int face) {
  Guarded([&] {
    if (!current_) return;
    // Codes outside the face list fall back to the first face, as its name does.
    current_->fontFace = compose::FaceCode(compose::FaceName(face));
    ApplyInputFormat(*current_);
  });
}

void COrvintaDlg::OnSizeChosen(int size) {
  Guarded([&] {
    if (!current_) return;
    current_->fontSize = size;
    ApplyInputFormat(*current_);
  });
}

void COrvintaDlg::OnStyleChanged(int styleBits) {
  Guarded([&] {
    if (!current_) return;
    current_->style = styleBits & kStyleMask;
    ApplyInputFormat(*current_);
  });
}

void COrvintaDlg::OnColourChosen(std::uint32_t colour, int controlId) {
  Guarded([&] {
    if (!current_) return;
    if (controlId == kTextColourButton) {
      current_->textColour = colour;
      ApplyInputFormat(*current_);
    } else if (controlId == kBackColourButton) {
      current_->backColour = colour;
    } else {
      return;
    }
    if (ports_.input) ports_.input->Repaint();
  });
}

void COrvintaDlg::OnColourDroppedDown() {
  Guarded([&] {
    if (ports_.input) ports_.input->Repaint();
  });
}

void COrvintaDlg::OnEmoticonChosen(int index) {
  Guarded([&] {
    if (!ports_.input || index < 0 || static_cast<std::size_t>(index) >= kEmoticons.size()) return;
    ports_.input->ReplaceSelection(std::string(kEmoticons[static_cast<std::size_t>(index)].keyword));
    ports_.input->Focus();
  });
}

void COrvintaDlg::OnFunctionKey(int n) {
  Guarded([&] {
    if (!ports_.input || n < 1 || n > static_cast<int>(compose::kShortcutCount)) return;
    const std::string& text = texts_.Shortcut[static_cast<std::size_t>(n - 1)];
    if (text.empty()) return;
    ports_.input->InsertText(text);
    ports_.input->Focus();
  });
}

bool COrvintaDlg::PreTranslateKey(Key key, bool inInputLine) {
  // Enter and Escape never reach the dialog's default handling, which would
  // close the window; that holds even when the send itself fails.
  const bool consumed = key == Key::Enter || key == Key::Escape;
  Guarded([&] {
    if (!inInputLine) return;
    if (key == Key::Enter) {
      OnBnClickedChatsend();
    } else if ((key == Key::Up || key == Key::Down) && ports_.input) {
      ports_.input->Repaint();
    }
  });
  return consumed;
}

}  // namespace orvinta::window
