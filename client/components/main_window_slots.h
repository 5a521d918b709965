#pragma once
// The places of the main window's controls, by role; their rectangles and
// anchors are in main_window_layout.h.
namespace orvinta::components::main_layout {

enum class Slot {
  NavigationBar,  // the portal's bar across the top
  Tabs,           // 1003
  Title,          // 1100
  LeftBand,       // decoration beside the transcript
  RightBand,      // decoration beside the right-hand pane
  Views,          // 1016: every room's transcript lies here
  Pane,           // the member list or the welcome page
  ComposerBand,   // the grey panel behind the toolbar and the input line
  Toolbar,        // 1013-1043, 1033, 1058-1060 and send 1031 at its right end
  InputField,     // the rounded white field behind the input line
  Input,          // 1030
  StatusLabel,    // 1096
  StatusCombo,    // 1094
  EndButton,      // 1017
};

}  // namespace orvinta::components::main_layout
