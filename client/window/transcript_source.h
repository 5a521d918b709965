#pragma once
// The window's side of saving a transcript: which room the save button means
// when it is clicked, and that room's transcript, made from its lines when
// the file has been chosen. Rooms are found again by name, since one may close
// while the save dialog is open.
#include <optional>
#include <string>

#include "client/window/channel_list.h"
#include "client/window/saving/saving_ports.h"
#include "client/window/saving/transcript_saver.h"

namespace orvinta::window {

class WindowTranscripts final : public saving::TranscriptSource {
 public:
  explicit WindowTranscripts(const ChannelList& channels) : channels_(channels) {}

  // The room shown now; nullopt when none is.
  std::optional<saving::SaveTarget> CurrentTarget() const;

  // saving::TranscriptSource.
  bool ReadTranscript(const std::string& channel, platform::HtmlView::HtmlCallback callback) override;

 private:
  const ChannelList& channels_;
};

}  // namespace orvinta::window
