#pragma once
// Addresses of the portal's pages and pictures and of the program's own
// pages. One place; the defaults point at the development server's web side.
#include <string>

namespace orvinta::window {

struct PortalConfig {
  // The program's own pages, served by number under this base ("107", "229?...").
  std::string resourceBase = "res://orvinta/";
  // Member avatars: base + "<n mod 100>/<(n mod 10000) div 100>/<n>.gif".
  std::string avatarBase = "http://127.0.0.1:11901/avatar/";
  // Community pictures: the default member icons live under "img/emot/emo/".
  std::string imageBase = "http://127.0.0.1:11901/";
  // Emoticons icon_01.gif .. icon_32.gif.
  std::string emoticonBase = "http://127.0.0.1:11901/img/emot/";
  // The page the waiting room's launcher posts uid and rkey to.
  std::string roomListPage = "http://127.0.0.1:11901/rooms";
  std::string navigationBarPage = "http://127.0.0.1:11901/ChatGNB";
  std::string welcomePage = "http://127.0.0.1:11901/ChatWelcome";
  // Personal blog addresses: host + id.
  std::string blogHost = "http://127.0.0.1:11901/blog/";
};

}  // namespace orvinta::window
