// The language the window speaks: Russian, its own, or English from the translation built into
// the program. The choice is remembered between runs and applies at once.
#pragma once

namespace skelda {

enum class WindowLanguage { Russian, English };

WindowLanguage SavedLanguage();
void SaveLanguage(WindowLanguage language);

// Installs the window's texts and Qt's own (buttons, file dialogs) for the language in place of
// the ones installed before; every widget then gets a LanguageChange event. Qt's texts stay
// English where the system has no translation of them.
void UseLanguage(WindowLanguage language);
WindowLanguage CurrentLanguage();

}  // namespace skelda
