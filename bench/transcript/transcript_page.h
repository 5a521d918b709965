#pragma once
// What the transcript benchmarks share: a real transcript page (page 107 in
// Qt WebEngine, placed as the main window places a room's view), its lines,
// scripts evaluated in the page's script world, and the CPU time its
// renderer has used.
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <string>

#include "client/components/web_view.h"

namespace orvinta::bench {

// Runs the event loop until done() holds. Busy: the growth figures have
// always been taken this way, so they stay comparable from run to run.
void Spin(const std::function<bool()>& done);

// Runs the event loop until done() holds, sleeping between events.
void Wait(const std::function<bool()>& done);

// A chat line of the benchmark, numbered n; extra words go at its end.
std::string LineHtml(int n, const std::string& extra = {});

// A loaded transcript page. A non-empty script replaces the page script the
// view installs (placeholder %1: lines per block), to compare two versions
// of it in one binary; one without follow() gets the old scroll in its place.
std::unique_ptr<components::WebView> OpenTranscript(const QString& script = {});

// Waits until the page has run every script sent so far.
void Settle(components::WebView& view);

// The value of a script in the program's script world.
QVariant Evaluate(components::WebView& view, const QString& script);

// Counts the time spent inside the page script's entry points
// (orvintaTranscript.append, .follow, .find, .findNext), in ms: see PageScriptMs.
void TimePageScript(components::WebView& view);
double PageScriptMs(components::WebView& view);

// User and system CPU time of the processes below this one (the page
// renderer and the browser's idle helpers), in ms.
double RendererCpuMs();

// Resident memory of this process and every process under it, in MiB.
double TreeRssMiB();

}  // namespace orvinta::bench
