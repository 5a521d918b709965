#pragma once
// The identity of the Quendel module: class ids, ProgIDs, type names, its
// type library and the component categories it belongs to.
#include <string_view>

#include "webcontrol/component/control.h"
#include "webcontrol/component/type_library.h"

namespace orvinta::quendel {

inline constexpr std::string_view kControlClassId = "{B37AD72D-34EA-45F8-A016-10814DC97CAB}";
inline constexpr std::string_view kControlProgId = "QUENDEL.QuendelCtrl.1";
inline constexpr std::string_view kControlTypeName = "Quendel Control";
inline constexpr std::string_view kPropPageClassId = "{74E577DA-610C-4703-A9F0-6FB78C40D42F}";
inline constexpr std::string_view kPropPageProgId = "QUENDEL.QuendelPropPage.1";
inline constexpr std::string_view kPropPageTypeName = "Quendel Property Page";
inline constexpr std::string_view kTypeLibId = "{772E4428-E709-4227-9B47-628E32F3A1DA}";
inline constexpr std::string_view kDispatchIid = "{26F3111A-946C-4717-A0BD-786BC23ADC23}";
inline constexpr std::string_view kEventsIid = "{57D0CABD-7B61-408F-A721-38DCE4C39320}";
inline constexpr std::string_view kFileVersion = "1.0.2.4";
inline constexpr std::string_view kClassVersion = "1.0";

// Activate when visible, set client site first, inside-out, can't link
// inside, recompose on resize.
inline constexpr unsigned long kMiscStatus = 0x20191;
inline constexpr unsigned long kCategoryLocale = 1033;

struct Category {
  std::string_view catid;
  std::string_view description;
};
inline constexpr Category kSafeForScripting{"{7DD95801-9882-11CF-9FA9-00AA006C42C4}",
                                            "Controls that are safely scriptable"};
inline constexpr Category kSafeForInitializing{"{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
                                               "Controls safely initializable from persistent data"};

// The library as the module reports it; help strings are UTF-8.
const com::TypeLibraryInfo& QuendelTypeLibrary();

// The events of the control, by DISPID (1 to 4).
enum class EventId : com::DispId { ResConnectServer = 1, ResRoomUserCount = 2, ResRoomInfo = 3, ResUserInfo = 4 };
const com::MemberInfo& EventInfo(EventId id);

}  // namespace orvinta::quendel
