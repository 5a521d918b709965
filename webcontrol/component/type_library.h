#pragma once
// The identity of a module's type library, as data the module reports and
// registers: ids, names, help strings (UTF-8), version and locale.
#include <string>
#include <vector>

#include "webcontrol/component/control.h"

namespace orvinta::com {

struct InterfaceInfo {
  std::string iid;
  std::string name;
  std::string helpString;
  std::vector<MemberInfo> members;  // what the library declares, which may be nothing
};

struct CoClassInfo {
  std::string clsid;
  std::string name;
  std::string helpString;
};

struct TypeLibraryInfo {
  std::string libid;
  std::string name;
  std::string helpString;
  std::string helpFile;
  unsigned short majorVersion = 1;
  unsigned short minorVersion = 0;
  unsigned long locale = 0x0409;
  std::vector<InterfaceInfo> dispatchInterfaces;
  CoClassInfo coClass;
};

}  // namespace orvinta::com
