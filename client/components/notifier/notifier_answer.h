#pragma once
// What a popup answers its owner: in-process, as a structure, so no field of
// it can be shifted by a "|" inside a nick.
#include <array>
#include <functional>
#include <string>

#include "client/components/notifier/notifier_settings.h"

namespace orvinta::components {

// The five texts the owner gives a popup and gets back untouched with the answer.
using NotifierData = std::array<std::string, 5>;

// The identifiers the answers of the two kinds have always carried.
inline constexpr int kInvitationAnswerId = 0x505;
inline constexpr int kVoteAnswerId = 0x506;

struct NotifierAnswer {
  NotifierKind kind = NotifierKind::Invitation;
  bool accepted = false;  // the left button; false for the right one, the close box and no answer
  NotifierData data;
  bool operator==(const NotifierAnswer&) const = default;
};

using AnswerHandler = std::function<void(const NotifierAnswer&)>;

inline int AnswerIdOf(NotifierKind kind) {
  return kind == NotifierKind::Invitation ? kInvitationAnswerId : kind == NotifierKind::Vote ? kVoteAnswerId : 0;
}

}  // namespace orvinta::components
