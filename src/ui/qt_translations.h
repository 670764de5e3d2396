// Qt's own texts (file dialogs, message-box buttons, edit menus) in Russian, as the window is.
#pragma once

class QObject;

namespace skelda {

// Loads Qt's Russian translations from the system's Qt translations folder and installs them;
// owner owns the translator (destroying it takes the texts back). False when they are not
// installed, in which case Qt's texts stay English.
bool InstallQtTranslations(QObject* owner);

}  // namespace skelda
