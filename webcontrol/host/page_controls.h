#pragma once
// The controls of one page: created from the OBJECT elements the page's
// injected script reports, called by the page through the web channel, and
// reporting their events back to it.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "webcontrol/component/component_loader.h"
#include "webcontrol/component/control.h"

namespace orvinta::quendel::host {

// Limits on what a page can hand the host.
inline constexpr int kMaxObjects = 32;
inline constexpr int kMaxParams = 64;
inline constexpr qsizetype kMaxTextChars = 16 * 1024;
inline constexpr qsizetype kMaxRequestChars = 1024 * 1024;

class PageControls final : public QObject {
  Q_OBJECT
 public:
  // `view` is the parent of the controls' windows; `extraCookie` is added to
  // the document's own cookie text (pages opened as files have none).
  PageControls(com::ComponentLoader& loader, QWidget* view, QString extraCookie, QObject* parent = nullptr);
  ~PageControls() override;

  // Called by the page: a JSON request {cookie, objects:[{index, id, classid,
  // params:[[name, value]], rect}]}; answers a JSON list {index, key, members}
  // of the controls made.
  Q_INVOKABLE QString createControls(const QString& request);
  // Calls a method of a control by name; answers the call's result code.
  Q_INVOKABLE int invoke(int key, const QString& member, const QStringList& args);

  // Drops every control (the page is going away).
  void Clear();
  int Count() const { return static_cast<int>(controls_.size()); }

 signals:
  void controlEvent(int key, const QString& name, const QStringList& paramNames, const QStringList& values);

 private:
  struct Hosted;
  com::ComponentLoader& loader_;
  QPointer<QWidget> view_;
  QString extraCookie_;
  std::vector<std::unique_ptr<Hosted>> controls_;
};

}  // namespace orvinta::quendel::host
