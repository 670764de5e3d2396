// Qt's own texts (file dialogs, message-box buttons, edit menus) in the window's language.
#pragma once

#include <QLocale>

class QObject;

namespace skelda {

// Loads Qt's translations for the locale (Russian, as the window is, unless told otherwise) from
// the system's Qt translations folder and installs them; owner owns the translator (destroying
// it takes the texts back). False when they are not installed, in which case Qt's texts stay
// English.
bool InstallQtTranslations(QObject* owner, const QLocale& locale = QLocale(QLocale::Russian));

}  // namespace skelda
