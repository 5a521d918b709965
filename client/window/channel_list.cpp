#include "client/window/channel_list.h"

#include <utility>

#include "text/text_util.h"

namespace orvinta::window {

Channel* ChannelList::FindByName(std::string_view name) const {
  const std::string_view wanted = text::Trim(name, " ");
  for (const auto& channel : channels_) {
    const bool listed = channel->kind == ChannelKind::WaitingRoom || channel->kind == ChannelKind::Room;
    if (listed && text::EqualsIgnoreCase(channel->name, wanted)) return channel.get();
  }
  return nullptr;
}

Channel* ChannelList::AtTab(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < channels_.size() ? channels_[index].get() : nullptr;
}

int ChannelList::TabIndexOf(const Channel* channel) const {
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    if (channels_[i].get() == channel) return static_cast<int>(i);
  }
  return -1;
}

Member* ChannelList::FindMember(std::string_view channelName, std::string_view id) const {
  Channel* channel = FindByName(channelName);
  if (!channel) return nullptr;
  for (Member& member : channel->members) {
    if (member.id == id) return &member;
  }
  return nullptr;
}

Channel* ChannelList::Add(std::unique_ptr<Channel> channel) {
  channels_.push_back(std::move(channel));
  return channels_.back().get();
}

std::unique_ptr<Channel> ChannelList::Take(int index) {
  std::unique_ptr<Channel> taken = std::move(channels_.at(static_cast<std::size_t>(index)));
  channels_.erase(channels_.begin() + index);
  if (taken.get() == current_) current_ = nullptr;
  return taken;
}

std::vector<std::unique_ptr<Channel>> ChannelList::TakeAll() {
  current_ = nullptr;
  return std::exchange(channels_, {});
}

}  // namespace orvinta::window
