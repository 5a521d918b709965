#pragma once
// The popups that ask the user about an invitation or an expulsion vote, and
// tell him he was expelled. Their answers come back in-process, as a
// structure, through the handler the window sets.
#include "client/components/notifier/prompt_port.h"

namespace orvinta::window {

using PromptNotifier = components::PromptPort;
using PromptKind = components::NotifierKind;
using PromptAnswer = components::NotifierAnswer;
using PromptData = components::NotifierData;

}  // namespace orvinta::window
