#include "client/window/compose_and_send.h"

#include <algorithm>

#include "client/compose/chat_composer.h"
#include "client/compose/compose_tables.h"
#include "client/compose/emoticons.h"
#include "protocol/guarded.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr int kStyleMask = compose::kStyleBold | compose::kStyleItalic | compose::kStyleUnderline;
// Said in the room when a line was too long to go whole.
constexpr std::string_view kCutNotice = "▷ 글이 길어 앞부분만 보냈습니다 ◁";
constexpr std::string_view kNotSentNotice = "▷ 서버와 연결이 끊어져 보내지 못했습니다. 글은 입력창에 남아 있습니다 ◁";

compose::ComposeSettings ComposeSettingsOf(const Channel& channel) {
  return {channel.fontFace, channel.style, channel.fontSize, channel.textColour, channel.backColour};
}

// What the chat line may take of the message body: the body is
// "login id/room key/line" and the session sends at most kMaxOutgoingBody bytes.
std::size_t LineBudget(std::string_view loginId, std::string_view channelName) {
  const std::size_t used = loginId.size() + protocol::StripChannelMark(channelName).size() + 2;
  return used < protocol::kMaxOutgoingBody ? protocol::kMaxOutgoingBody - used : 0;
}

}  // namespace

ComposeAndSend::ComposeAndSend(ChannelList& channels, const WindowFlags& flags, const LaunchSettings& settings,
                               protocol::CZupChatMain& session, platform::WindowHost& host,
                               platform::InputLine* input, TranscriptPresenter& transcript)
    : channels_(channels),
      flags_(flags),
      settings_(settings),
      session_(session),
      host_(host),
      input_(input),
      transcript_(transcript) {}

void ComposeAndSend::ApplyInputFormat(const Channel& channel) {
  if (input_) input_->SetDefaultFormat(channel.fontSize, channel.textColour, channel.style, channel.fontFace);
}

void ComposeAndSend::ShowSettingsOf(const Channel& channel) {
  platform::ToolbarState state;
  state.faceName = std::string(compose::FaceName(channel.fontFace));
  state.sizeText = std::to_string(channel.fontSize);
  state.textColour = channel.textColour;
  state.backColour = channel.backColour;
  state.bold = (channel.style & compose::kStyleBold) != 0;
  state.italic = (channel.style & compose::kStyleItalic) != 0;
  state.underline = (channel.style & compose::kStyleUnderline) != 0;
  host_.ShowToolbarState(state);
  ApplyInputFormat(channel);
}

void ComposeAndSend::OnBnClickedChatsend() {
  if (!input_) return;
  const std::string content = input_->Content();
  const std::string typed(compose::TypedText(content));
  Channel* current = channels_.Current();
  const bool inRoom = current && current->kind != ChannelKind::WaitingRoom;
  if (!typed.empty() && inRoom && !flags_.loggedIn) {
    // Away from the server, or back but not logged in yet (the server would
    // drop the line): it waits in the input for the user to send it again.
    transcript_.AddInfoLineHtml(current->name, kNotSentNotice);
    return;
  }
  input_->Clear();  // what cannot be sent is discarded as well
  if (typed.empty() || !inRoom) return;

  current->history.Add(typed);
  const compose::SenderContext sender{texts_.Header, texts_.Footer, settings_.IconNo, settings_.Nick};
  const std::string name = current->name;
  const compose::ComposedLine composed = compose::ComposeChatLine(
      typed, ComposeSettingsOf(*current), sender, LineBudget(session_.GetLoginId(), name));
  if (!composed.line.text.empty()) {
    session_.SendToAll(name, composed.line.Wire());
    // Shown from the fields that were sent: the same line the others get.
    transcript_.ShowChatLine(name, settings_.UserId, composed.line);
  }
  if (composed.cut) transcript_.AddInfoLineHtml(name, kCutNotice);
}

void ComposeAndSend::OnFaceChosen(int face) {
  Channel* current = channels_.Current();
  if (!current) return;
  // Codes outside the face list fall back to the first face, as its name does.
  current->fontFace = compose::FaceCode(compose::FaceName(face));
  ApplyInputFormat(*current);
}

void ComposeAndSend::OnSizeChosen(int size) {
  Channel* current = channels_.Current();
  if (!current) return;
  current->fontSize = size;
  ApplyInputFormat(*current);
}

void ComposeAndSend::OnStyleChanged(int styleBits) {
  Channel* current = channels_.Current();
  if (!current) return;
  current->style = styleBits & kStyleMask;
  ApplyInputFormat(*current);
}

void ComposeAndSend::OnColourChosen(std::uint32_t colour, int controlId) {
  Channel* current = channels_.Current();
  if (!current) return;
  if (controlId == kTextColourButton) {
    current->textColour = colour;
    ApplyInputFormat(*current);
  } else if (controlId == kBackColourButton) {
    current->backColour = colour;
  } else {
    return;
  }
  if (input_) input_->Repaint();
}

void ComposeAndSend::OnColourDroppedDown() {
  if (input_) input_->Repaint();
}

void ComposeAndSend::OnEmoticonChosen(int index) {
  if (!input_ || index < 0 || static_cast<std::size_t>(index) >= compose::kEmoticons.size()) return;
  input_->ReplaceSelection(std::string(compose::kEmoticons[static_cast<std::size_t>(index)].keyword));
  input_->Focus();
}

void ComposeAndSend::TakeTexts(const config::ConfigValues& values) {
  static_assert(config::kShortcutCount == compose::kShortcutCount);
  texts_.Header = values.Header;
  texts_.Footer = values.Footer;
  std::copy(values.Shortcut.begin(), values.Shortcut.end(), texts_.Shortcut.begin());
}

bool ComposeAndSend::OnFunctionKey(int n) {
  const bool consumed = n == kConsumedFunctionKey;
  if (!input_ || n < 1 || n > static_cast<int>(compose::kShortcutCount)) return consumed;
  const std::string& text = texts_.Shortcut[static_cast<std::size_t>(n - 1)];
  if (text.empty()) return consumed;
  input_->InsertText(text);
  input_->Focus();
  return consumed;
}

bool ComposeAndSend::PreTranslateMessage(Key key, bool inInputLine) {
  // Enter and Escape never reach the dialog's default handling, which would
  // close the window; that holds even when the send itself fails.
  const bool consumed = key == Key::Enter || key == Key::Escape;
  // A recalled line keeps the caret at its end: the key goes no further.
  bool recalled = false;
  Guarded("a key in the window", [&] {
    if (!inInputLine) return;
    if (key == Key::Enter) {
      OnBnClickedChatsend();
    } else if ((key == Key::Up || key == Key::Down) && input_) {
      recalled = RecallSentLine(key == Key::Up);
      input_->Repaint();
    }
  });
  return consumed || recalled;
}

bool ComposeAndSend::RecallSentLine(bool older) {
  Channel* current = channels_.Current();
  if (!current) return false;
  const auto line = older ? current->history.Older(input_->Content()) : current->history.Newer();
  if (!line) return false;
  input_->Clear();
  if (!line->empty()) input_->InsertText(*line);
  return true;
}

}  // namespace orvinta::window
