#pragma once
// The open room tabs in tab order (the waiting room first) and the current one.
#include <memory>
#include <string_view>
#include <vector>

#include "client/window/channel.h"

namespace orvinta::window {

class ChannelList {
 public:
  // By channel name, trimmed of spaces and compared without case.
  Channel* FindByName(std::string_view name) const;
  Channel* AtTab(int index) const;
  int TabIndexOf(const Channel* channel) const;  // -1 when not listed
  Channel* Home() const { return channels_.empty() ? nullptr : channels_.front().get(); }
  Channel* Current() const { return current_; }
  void SetCurrent(Channel* channel) { current_ = channel; }
  const std::vector<std::unique_ptr<Channel>>& All() const { return channels_; }
  std::size_t Size() const { return channels_.size(); }

  // The member `id` of the named channel.
  Member* FindMember(std::string_view channelName, std::string_view id) const;

  Channel* Add(std::unique_ptr<Channel> channel);
  // Takes the channel at `index` out of the list; current becomes none when it was current.
  std::unique_ptr<Channel> Take(int index);
  // Every channel taken out; none is current.
  std::vector<std::unique_ptr<Channel>> TakeAll();

 private:
  std::vector<std::unique_ptr<Channel>> channels_;
  Channel* current_ = nullptr;
};

}  // namespace orvinta::window
