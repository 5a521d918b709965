#pragma once
// The ports the module gives the controls it creates. The build that makes
// the loadable module supplies them (see qt/qt_module_ports.cpp).
#include "webcontrol/quendel_ports.h"

namespace orvinta::quendel {

QuendelPorts DefaultModulePorts();

}  // namespace orvinta::quendel
