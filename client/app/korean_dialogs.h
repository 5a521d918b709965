#pragma once
// The toolkit's own Korean translations, so standard buttons and dialogs
// (예/아니요, the colour dialog) speak the program's language.
class QCoreApplication;

namespace orvinta::app {

// False when the translation is not installed (Debian: qt6-translations-l10n).
bool LoadKoreanDialogTexts(QCoreApplication& application);

}  // namespace orvinta::app
