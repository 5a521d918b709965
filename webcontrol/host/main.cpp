// quendel-host: a small browser window that opens a page and gives its OBJECT
// elements the controls registered in the component registry.
#include <dlfcn.h>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <string_view>

#include "webcontrol/component/module_exports.h"
#include "webcontrol/host/host_options.h"
#include "webcontrol/host/host_window.h"

namespace {

using orvinta::com::HRESULT;

// Runs DllRegisterServer or DllUnregisterServer of a module.
int RunRegistration(const QString& modulePath, const char* entry) {
  void* module = dlopen(modulePath.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    std::fprintf(stderr, "quendel-host: cannot load %s: %s\n", qPrintable(modulePath), dlerror());
    return 1;
  }
  auto* function = reinterpret_cast<DllRegisterServerFn*>(dlsym(module, entry));
  if (!function) {
    std::fprintf(stderr, "quendel-host: %s has no %s\n", qPrintable(modulePath), entry);
    return 1;
  }
  const HRESULT result = function();
  std::fprintf(stderr, "quendel-host: %s: 0x%08X\n", entry, static_cast<unsigned>(result));
  return orvinta::com::Succeeded(result) ? 0 : 1;
}

// The module installed with this program, else the one built beside it.
QString DefaultModulePath() {
  const QFileInfo installed(QCoreApplication::applicationDirPath() + "/" ORVINTA_BIN_TO_MODULES "/libquendel.so");
  return installed.isFile() ? installed.canonicalFilePath() : QStringLiteral(QUENDEL_MODULE_PATH);
}

QUrl PageAddress(const QString& page) {
  const QFileInfo file(page);
  if (file.exists()) return QUrl::fromLocalFile(file.absoluteFilePath());
  return QUrl::fromUserInput(page);
}

}  // namespace

int main(int argc, char** argv) {
  // The usage needs no display: answer it before the application starts.
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::printf("%s", qPrintable(orvinta::quendel::host::HostUsage()));
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("quendel-host");
  QString error;
  auto options = orvinta::quendel::host::ParseHostOptions(QApplication::arguments(), error);
  if (!options) {
    std::fprintf(stderr, "quendel-host: %s\n%s", qPrintable(error), qPrintable(orvinta::quendel::host::HostUsage()));
    return 64;
  }
  if (options->help) {
    std::printf("%s", qPrintable(orvinta::quendel::host::HostUsage()));
    return 0;
  }
  if (options->modulePath.isEmpty()) options->modulePath = DefaultModulePath();
  if (options->unregisterModule && RunRegistration(options->modulePath, "DllUnregisterServer") != 0) return 1;
  if (options->registerModule && RunRegistration(options->modulePath, "DllRegisterServer") != 0) return 1;
  if (options->page.isEmpty()) return 0;

  orvinta::com::ComponentLoader loader;
  orvinta::quendel::host::HostWindow window(loader, *options);
  window.show();
  window.Open(PageAddress(options->page));
  if (options->timeoutMs > 0) {
    QTimer::singleShot(options->timeoutMs, &app, [&window, screenshot = options->screenshot] {
      if (!screenshot.isEmpty()) {
        QApplication::exit(window.grab().save(screenshot, "PNG") ? 0 : 3);
        return;
      }
      std::fprintf(stderr, "quendel-host: timed out\n");
      QApplication::exit(2);
    });
  }
  return QApplication::exec();
}
