#include "tests/fakes/fake_chat_window.h"

#include "text/text_util.h"

namespace orvinta::fakes {

void FakeChatWindow::Record(std::string_view name, std::initializer_list<std::string_view> args) {
  std::string call(name);
  call.push_back('(');
  for (auto arg = args.begin(); arg != args.end(); ++arg) {
    if (arg != args.begin()) call.push_back(',');
    call.append(*arg);
  }
  call.push_back(')');
  calls.push_back(call);
}

void FakeChatWindow::RecordLines(std::string_view name, std::string_view channel, Lines lines, std::string_view last) {
  std::string ids;  // runs of ids as "first..last"
  for (std::size_t i = 0, j = 0; i < lines.size(); i = ++j) {
    while (j + 1 < lines.size() && lines[j + 1].id == lines[j].id + 1) ++j;
    ids += (ids.empty() ? "" : " ") + std::to_string(lines[i].id) + (j > i ? ".." + std::to_string(lines[j].id) : "");
  }
  lastLines.assign(lines.begin(), lines.end());
  last.empty() ? Record(name, {channel, ids}) : Record(name, {channel, ids, last});
}

bool FakeChatWindow::Called(const std::string& call) const {
  for (const auto& c : calls) {
    if (c == call) return true;
  }
  return false;
}

int FakeChatWindow::Count(const std::string& prefix) const {
  int n = 0;
  for (const auto& c : calls) n += c.rfind(prefix, 0) == 0;
  return n;
}

void FakeChatWindow::SetConnectStatus(bool up) {
  connected = up;
  if (!up) loggedIn = false;
  Record("SetConnectStatus", {up ? "1" : "0"});
}

void FakeChatWindow::SetLoggedIn() {
  loggedIn = true;
  Record("SetLoggedIn", {});
}

void FakeChatWindow::RemoveChannel(std::string_view channel) {
  members.erase(std::string(channel));
  Record("RemoveChannel", {channel});
}

void FakeChatWindow::AddInfoLine(std::string_view channel, std::string_view templ,
                                 std::initializer_list<std::string_view> args) {
  Record("AddInfoLine", {channel, text::FormatText(templ, args)});
}

void FakeChatWindow::NewNick(std::string_view channel, std::string_view entry, int status) {
  auto it = members.find(std::string(channel));
  if (it != members.end()) it->second.emplace(std::string(entry), "");
  Record("NewNick", {channel, entry, std::to_string(status)});
}

std::optional<std::string> FakeChatWindow::FindNickByName(std::string_view channel, std::string_view id) {
  const auto ch = members.find(std::string(channel));
  if (ch == members.end()) return std::nullopt;
  const auto m = ch->second.find(std::string(id));
  if (m == ch->second.end()) return std::nullopt;
  return m->second;
}

void FakeChatWindow::SetMemberDetails(std::string_view channel, std::string_view id, std::string_view nick,
                                      std::string_view icon, std::string_view status) {
  auto ch = members.find(std::string(channel));
  if (ch != members.end()) {
    auto m = ch->second.find(std::string(id));
    if (m != ch->second.end()) m->second = std::string(nick);
  }
  Record("SetMemberDetails", {channel, id, nick, icon, status});
}

void FakeChatWindow::RemoveNick(std::string_view channel, std::string_view id) {
  auto ch = members.find(std::string(channel));
  if (ch != members.end()) ch->second.erase(std::string(id));
  Record("RemoveNick", {channel, id});
}

std::size_t FakeChatWindow::MemberCount(std::string_view channel) {
  const auto ch = members.find(std::string(channel));
  return ch == members.end() ? 0 : ch->second.size();
}

}  // namespace orvinta::fakes
