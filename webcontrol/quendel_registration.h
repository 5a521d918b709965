#pragma once
// Writing the module into the component registry and taking it out again,
// step by step, each step saved before the next.
#include <string>

#include "webcontrol/component/registry_file.h"
#include "webcontrol/component/result_codes.h"

namespace orvinta::quendel {

// Type library (SELFREG_E_TYPELIB on failure), then both classes
// (SELFREG_E_CLASS), then the control's two categories (a failure there is
// ignored).
com::HRESULT RegisterQuendel(com::RegistryFile& registry, const std::string& modulePath);

// Type library, then the categories (safely initialisable, then safely
// scriptable), then the class entries.
com::HRESULT UnregisterQuendel(com::RegistryFile& registry);

}  // namespace orvinta::quendel
