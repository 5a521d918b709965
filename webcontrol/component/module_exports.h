#pragma once
// The entry points every control module exports with C linkage, looked up by
// name after the module is loaded.
#include "webcontrol/component/control.h"
#include "webcontrol/component/result_codes.h"
#include "webcontrol/component/type_library.h"

extern "C" {
using DllRegisterServerFn = orvinta::com::HRESULT();
using DllUnregisterServerFn = orvinta::com::HRESULT();
// The factory stays owned by the module; class ids are "{...}" texts.
using DllGetClassObjectFn = orvinta::com::HRESULT(const char* clsid, orvinta::com::ClassFactory** factory);
// S_OK when no object of the module is alive, S_FALSE otherwise.
using DllCanUnloadNowFn = orvinta::com::HRESULT();
// The module's type library, owned by the module.
using DllGetTypeLibraryFn = orvinta::com::HRESULT(const orvinta::com::TypeLibraryInfo** library);
}
