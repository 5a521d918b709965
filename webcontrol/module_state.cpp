#include "webcontrol/module_state.h"

namespace orvinta::quendel {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

}  // namespace orvinta::quendel
