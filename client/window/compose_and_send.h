#pragma once
// Composing and sending: the send button and Enter, the toolbar's face,
// size, style and colour choices, emoticons, the shortcut keys and the
// window's keyboard filter. Each room keeps its own composing settings.
#include <cstdint>
#include <string>

#include "client/components/config/config_values.h"
#include "client/compose/compose_texts.h"
#include "client/window/channel_list.h"
#include "client/window/transcript_presenter.h"
#include "client/window/window_flags.h"
#include "platform/input_line.h"
#include "platform/window_host.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

class ComposeAndSend {
 public:
  // Keys the window's keyboard filter tells apart.
  enum class Key { Enter, Escape, Up, Down, Other };
  // Controls of the composing toolbar that report a colour.
  static constexpr int kTextColourButton = 1015;
  static constexpr int kBackColourButton = 1018;
  // F10 would open the window menu: it is consumed, the others go on.
  static constexpr int kConsumedFunctionKey = 10;

  ComposeAndSend(ChannelList& channels, const WindowFlags& flags, const LaunchSettings& settings,
                 protocol::CZupChatMain& session, platform::WindowHost& host, platform::InputLine* input,
                 TranscriptPresenter& transcript);

  void OnBnClickedChatsend();  // the send button and Enter in the input line
  void OnFaceChosen(int face);         // face code 1-4
  void OnSizeChosen(int size);         // point size
  void OnStyleChanged(int styleBits);  // 1 bold, 2 italic, 4 underline
  void OnColourChosen(std::uint32_t colour, int controlId);  // a colour button's choice (0x7EC)
  void OnColourDroppedDown();                                // a colour picker opened (0x7EA)
  void OnEmoticonChosen(int index);                          // the emoticon picker (0x8014); -1: none
  // True when the key is consumed.
  bool PreTranslateMessage(Key key, bool inInputLine);
  // F1..F10: the shortcut text goes into the input line. True when the key is consumed.
  bool OnFunctionKey(int n);

  // The room's settings into the toolbar and the input line.
  void ShowSettingsOf(const Channel& channel);
  // The header, footer and shortcut texts of the configuration.
  compose::ComposeTexts& Texts() { return texts_; }
  // Takes them again from the settings: after loading and whenever the
  // settings dialog saves or resets them.
  void TakeTexts(const config::ConfigValues& values);

 private:
  void ApplyInputFormat(const Channel& channel);
  // Up (older) or Down in the input line: the room's sent line into it. True when one came.
  bool RecallSentLine(bool older);

  ChannelList& channels_;
  const WindowFlags& flags_;
  const LaunchSettings& settings_;
  protocol::CZupChatMain& session_;
  platform::WindowHost& host_;
  platform::InputLine* input_;
  TranscriptPresenter& transcript_;
  compose::ComposeTexts texts_;
};

}  // namespace orvinta::window
