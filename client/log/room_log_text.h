#pragma once
// What the room log writes: one UTF-8 text line per transcript line, and the
// names of its folders and files, safe to use whatever a room is called.
#include <ctime>
#include <string>
#include <string_view>

#include "client/window/line_listener.h"

namespace orvinta::log {

// "[HH:MM:SS] nick: text\n" for chat lines, "[HH:MM:SS] * text\n" for the
// program's own lines (tags left out, entities undone). Control characters
// become spaces, so one line stays one line.
std::string LogLine(const window::ShownLine& line, const std::tm& at);

// Markup as the reader sees it: tags left out (a line break is a space) and
// character references undone. UTF-8 in and out.
std::string VisibleText(std::string_view markup);

// The folder of one room (UTF-8): the channel name without its "#", with
// anything but letters, digits, Korean and a few marks ("-_.^@+=,()") made
// "_", never starting with "." nor holding "..", at most kMaxRoomFolder
// bytes; a name that had to change ends in a hash of the original, so two
// rooms never share a folder.
inline constexpr std::size_t kMaxRoomFolder = 64;
std::string RoomFolderName(std::string_view channelName);

// "YYYY-MM-DD.log" of the local date.
std::string DayFileName(const std::tm& at);

// Told to the room, once, when its log cannot be written.
std::string_view WriteFailedNotice();
// Told to the room, once, when the log's folder or file is not the user's own and private.
std::string_view RefusedNotice();

}  // namespace orvinta::log
