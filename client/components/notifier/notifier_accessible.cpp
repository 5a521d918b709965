#include "client/components/notifier/notifier_accessible.h"

#include "client/components/accessible_parts.h"
#include "client/components/notifier/notifier_popup.h"
#include "client/components/notifier/taskbar_notifier.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

const QString kAccept = QStringLiteral("accept");
const QString kRefuse = QStringLiteral("refuse");

}  // namespace

NotifierAccessible::NotifierAccessible(NotifierPopup* popup) : QAccessibleWidget(popup, QAccessible::AlertMessage) {}

void NotifierAccessible::Install() { InstallAccessibleFactory<NotifierPopup, NotifierAccessible>(); }

NotifierPopup* NotifierAccessible::Popup() const { return static_cast<NotifierPopup*>(widget()); }

QAccessible::Role NotifierAccessible::role() const {
  const CTaskbarNotifier* logic = Popup()->Logic();
  return logic && logic->kind() == NotifierKind::Notice ? QAccessible::Notification : QAccessible::AlertMessage;
}

QString NotifierAccessible::text(QAccessible::Text t) const {
  const CTaskbarNotifier* logic = Popup()->Logic();
  if (!logic) return QAccessibleWidget::text(t);
  if (t == QAccessible::Name) return platform::qt::FromCp949(logic->text()).simplified();
  if (t == QAccessible::Description && logic->AwaitsAnswer()) {
    return QStringLiteral("%1 %2, %3 %4")
        .arg(QLatin1String(kAcceptKeys), platform::qt::FromCp949(LeftLabel(logic->kind())),
             QLatin1String(kRefuseKeys), platform::qt::FromCp949(RightLabel(logic->kind())));
  }
  return QAccessibleWidget::text(t);
}

QStringList NotifierAccessible::actionNames() const {
  const CTaskbarNotifier* logic = Popup()->Logic();
  return logic && logic->AwaitsAnswer() ? QStringList{kAccept, kRefuse} : QStringList{};
}

QString NotifierAccessible::localizedActionName(const QString& name) const {
  const CTaskbarNotifier* logic = Popup()->Logic();
  if (!logic) return name;
  if (name == kAccept) return platform::qt::FromCp949(LeftLabel(logic->kind()));
  if (name == kRefuse) return platform::qt::FromCp949(RightLabel(logic->kind()));
  return name;
}

void NotifierAccessible::doAction(const QString& name) {
  if (CTaskbarNotifier* logic = Popup()->Logic(); logic && (name == kAccept || name == kRefuse)) {
    logic->AnswerFromKeyboard(name == kAccept);
  }
}

}  // namespace orvinta::components
