#pragma once
// The main window's state flags, shared by its roles.
namespace orvinta::window {

struct WindowFlags {
  bool connected = false;
  bool loggedIn = false;
  bool minimised = false;   // as the window's system commands last told
  bool launchLock = false;  // hand-overs wait until the start timer has run
  bool closed = false;
};

}  // namespace orvinta::window
