#pragma once
// Opens a web address in the desktop's browser and tells when none took it:
// the desktop's opener (xdg-open) is run and its answer awaited, since it
// starts whatever it finds and fails only later when it finds nothing.
#include <QUrl>
#include <functional>

class QObject;

namespace orvinta::components {

// `failed` is called at most once, from the event loop, while `context` lives.
void OpenInBrowser(const QUrl& url, QObject* context, std::function<void()> failed);

}  // namespace orvinta::components
