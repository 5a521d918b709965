#include "client/log/room_log_text.h"

#include <cstdio>

#include "client/compose/chat_line.h"
#include "platform/cp949.h"
#include "text/char_references.h"
#include "text/text_util.h"

namespace orvinta::log {
namespace {

constexpr std::string_view kKeptMarks = "-_.^@+=,()";

// A character that would break the line or cannot stand in a text file.
bool IsLineBreaking(unsigned long cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029;
}

// References read as the transcript reads them; a character that would break
// the log's line becomes a space.
std::string DecodeReferences(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '&') {
      if (const auto reference = text::ReferenceAt(text.substr(i))) {
        text::AppendUtf8(out, IsLineBreaking(reference->point) ? U' ' : reference->point);
        i += reference->length;
        continue;
      }
    }
    out.push_back(text[i++]);
  }
  return out;
}

std::string WithoutTags(std::string_view markup) {
  std::string out;
  for (std::size_t i = 0; i < markup.size();) {
    if (markup[i] != '<') {
      out.push_back(markup[i++]);
      continue;
    }
    const std::size_t close = markup.find('>', i);
    if (close == std::string_view::npos) break;  // a tag cut short shows nothing
    if (text::StartsWithIgnoreCase(markup.substr(i), "<br")) out.push_back(' ');
    i = close + 1;
  }
  return out;
}

std::string ControlsAsSpaces(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return text;
}

std::string CollapseSpaces(std::string_view text) {
  std::string out;
  for (char c : text::Trim(text, " ")) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out.push_back(c);
  }
  return out;
}

std::string Clock(const std::tm& at) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "[%02d:%02d:%02d] ", at.tm_hour % 100, at.tm_min % 100, at.tm_sec % 100);
  return buffer;
}

// FNV-1a: stable from one run to the next, so a room keeps its folder.
std::string Hash(std::string_view bytes) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : bytes) h = (h ^ c) * 16777619u;
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(h));
  return buffer;
}

bool IsAsciiAlnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::string VisibleText(std::string_view markup) { return CollapseSpaces(DecodeReferences(ControlsAsSpaces(WithoutTags(markup)))); }

std::string LogLine(const window::ShownLine& line, const std::tm& at) {
  std::string out = Clock(at);
  const std::string text = platform::Cp949ToUtf8Lossy(line.text);
  if (line.system) {
    out += "* " + VisibleText(text);
  } else {
    // Each line break of the text starts a log line of its own.
    const std::string prefix = out + ControlsAsSpaces(platform::Cp949ToUtf8Lossy(line.senderNick)) + ": ";
    out.clear();
    for (std::string_view piece : compose::SplitAtLineBreaks(text)) {
      // The page shows a chat line's references as the characters they stand for.
      out += prefix + DecodeReferences(ControlsAsSpaces(std::string(piece))) + "\n";
    }
    return out;
  }
  return out + "\n";
}

std::string RoomFolderName(std::string_view channelName) {
  std::string_view name = channelName;
  if (!name.empty() && name.front() == '#') name.remove_prefix(1);
  std::string out;
  bool changed = false;
  for (std::size_t i = 0; i < name.size();) {
    const auto c = static_cast<unsigned char>(name[i]);
    std::string piece;
    std::size_t used = 1;
    if (text::IsLeadByte(c) && i + 1 < name.size()) {
      used = 2;
      piece = platform::Cp949ToUtf8(name.substr(i, 2)).value_or("");
    } else if (IsAsciiAlnum(c) || (kKeptMarks.find(static_cast<char>(c)) != std::string_view::npos && c != '.')) {
      piece.assign(1, static_cast<char>(c));
    } else if (c == '.' && !out.empty() && out.back() != '.') {
      piece = ".";
    }
    if (piece.empty()) {
      piece = "_";
      changed = true;
    }
    if (out.size() + piece.size() > kMaxRoomFolder) {
      changed = true;
      break;
    }
    out += piece;
    i += used;
  }
  if (out.empty() || changed) out += (out.empty() ? "" : "-") + Hash(channelName);
  return out;
}

std::string DayFileName(const std::tm& at) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d.log", (at.tm_year + 1900) % 10000, (at.tm_mon + 1) % 100,
                at.tm_mday % 100);
  return buffer;
}

std::string_view WriteFailedNotice() { return "▷ 대화 기록 파일에 쓰지 못했습니다 ◁"; }

std::string_view RefusedNotice() { return "▷ 대화 기록 폴더나 파일이 안전하지 않아 대화를 기록하지 않습니다 ◁"; }

}  // namespace orvinta::log
