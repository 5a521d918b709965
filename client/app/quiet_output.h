#pragma once
// Keeps standard error for what the user needs to know; ORVINTA_VERBOSE=1
// lets the browser engine and the audio backend speak as they like.
namespace orvinta::app {

// Before the application object exists: the engine's log level and logging
// rules, and a message filter that says the audio's absence once.
void QuietStandardError();

}  // namespace orvinta::app
