#pragma once
// A run-time dispatch table: members by DISPID, found by name the way script
// engines look them up (without regard to case). Each member has a handler
// that takes the call's string arguments.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "webcontrol/component/control.h"

namespace orvinta::com {

class DispatchTable {
 public:
  using Handler = std::function<void(const std::vector<std::string>& args)>;

  void Add(MemberInfo member, Handler handler);

  HRESULT GetIdOfName(std::string_view name, DispId& id) const;
  // DISP_E_MEMBERNOTFOUND for an unknown id, DISP_E_BADPARAMCOUNT when the
  // argument count differs from the member's parameter count.
  HRESULT Invoke(DispId id, const std::vector<std::string>& args) const;
  std::vector<MemberInfo> Members() const;

 private:
  struct Entry {
    MemberInfo member;
    Handler handler;
  };
  std::vector<Entry> entries_;
};

}  // namespace orvinta::com
