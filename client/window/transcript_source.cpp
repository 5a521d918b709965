#include "client/window/transcript_source.h"

namespace orvinta::window {

std::optional<saving::SaveTarget> WindowTranscripts::CurrentTarget() const {
  const Channel* current = channels_.Current();
  if (!current) return std::nullopt;
  return saving::SaveTarget{current->name, current->title, current->kind == ChannelKind::WaitingRoom};
}

bool WindowTranscripts::ReadTranscript(const std::string& channel, platform::HtmlView::HtmlCallback callback) {
  Channel* found = channels_.FindByName(channel);
  if (!found || found->kind == ChannelKind::WaitingRoom || !found->view) return false;
  callback(found->view->LinesHtml());
  return true;
}

}  // namespace orvinta::window
