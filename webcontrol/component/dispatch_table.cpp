#include "webcontrol/component/dispatch_table.h"

#include "webcontrol/component/names.h"

namespace orvinta::com {

void DispatchTable::Add(MemberInfo member, Handler handler) {
  entries_.push_back({std::move(member), std::move(handler)});
}

HRESULT DispatchTable::GetIdOfName(std::string_view name, DispId& id) const {
  for (const Entry& entry : entries_) {
    if (NamesEqual(entry.member.name, name)) {
      id = entry.member.id;
      return S_OK;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchTable::Invoke(DispId id, const std::vector<std::string>& args) const {
  for (const Entry& entry : entries_) {
    if (entry.member.id != id) continue;
    if (args.size() != entry.member.params.size()) return DISP_E_BADPARAMCOUNT;
    entry.handler(args);
    return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

std::vector<MemberInfo> DispatchTable::Members() const {
  std::vector<MemberInfo> members;
  members.reserve(entries_.size());
  for (const Entry& entry : entries_) members.push_back(entry.member);
  return members;
}

}  // namespace orvinta::com
