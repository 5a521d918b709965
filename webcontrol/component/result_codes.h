#pragma once
// Result codes of the component layer, with the values hosts and registration
// tools expect from an in-process control module.
#include <cstdint>

namespace orvinta::com {

using HRESULT = std::int32_t;

constexpr HRESULT MakeResult(std::uint32_t code) { return static_cast<HRESULT>(code); }
constexpr bool Succeeded(HRESULT result) { return result >= 0; }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = MakeResult(0x80004005u);
inline constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002u);
inline constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057u);
inline constexpr HRESULT E_UNEXPECTED = MakeResult(0x8000FFFFu);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeResult(0x80020003u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = MakeResult(0x80020006u);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeResult(0x8002000Eu);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeResult(0x80040111u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeResult(0x80040154u);
inline constexpr HRESULT CO_E_DLLNOTFOUND = MakeResult(0x800401F8u);
inline constexpr HRESULT CO_E_ERRORINDLL = MakeResult(0x800401F9u);
inline constexpr HRESULT SELFREG_E_TYPELIB = MakeResult(0x80040200u);
inline constexpr HRESULT SELFREG_E_CLASS = MakeResult(0x80040201u);

}  // namespace orvinta::com
