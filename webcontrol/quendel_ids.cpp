#include "webcontrol/quendel_ids.h"

#include <array>

#include "platform/cp949.h"

namespace orvinta::quendel {
namespace {

const std::array<com::MemberInfo, 4>& Events() {
  // "sUserD" is the parameter's name in the library.
  static const std::array<com::MemberInfo, 4> events = {{
      {1, "ResConnectServer", {"sResult"}},
      {2, "ResRoomUserCount", {"sRoomID", "sUserCount"}},
      {3, "ResRoomInfo", {"sRoomID", "sUserID"}},
      {4, "ResUserInfo", {"sUserD", "sUserNick", "sIconURL"}},
  }};
  return events;
}

std::string Utf8(std::string_view cp949) { return platform::Cp949ToUtf8Lossy(cp949); }

com::TypeLibraryInfo MakeTypeLibrary() {
  com::TypeLibraryInfo library;
  library.libid = std::string(kTypeLibId);
  library.name = "QuendelLib";
  library.helpString = Utf8("Quendel ActiveX 컨트롤 모듈");
  library.helpFile = "Quendel.hlp";
  library.majorVersion = 1;
  library.minorVersion = 0;
  library.locale = 0x0409;
  library.dispatchInterfaces = {
      {std::string(kDispatchIid), "_DQuendel", Utf8("Quendel Control의 디스패치 인터페이스"), {}},
      {std::string(kEventsIid), "_DQuendelEvents", Utf8("Quendel Control의 이벤트 인터페이스"),
       std::vector<com::MemberInfo>(Events().begin(), Events().end())},
  };
  library.coClass = {std::string(kControlClassId), "Quendel", "Quendel Control"};
  return library;
}

}  // namespace

const com::TypeLibraryInfo& QuendelTypeLibrary() {
  static const com::TypeLibraryInfo library = MakeTypeLibrary();
  return library;
}

const com::MemberInfo& EventInfo(EventId id) { return Events()[static_cast<std::size_t>(id) - 1]; }

}  // namespace orvinta::quendel
