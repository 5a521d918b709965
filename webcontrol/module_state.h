#pragma once
// What the loaded module keeps once for all its controls: the settings of the
// control that exchanged its properties last, the logic window created last,
// and how many objects are alive (for the unload question). Touched only on
// the page's thread.
#include "webcontrol/quendel_settings.h"

namespace orvinta::quendel {

class CMainDialog;

struct ModuleState {
  QuendelSettings settings{true, {}, {}, {}, {}, 0, false};
  CMainDialog* recentLogicWindow = nullptr;
  int liveObjects = 0;
};

ModuleState& Module();

}  // namespace orvinta::quendel
