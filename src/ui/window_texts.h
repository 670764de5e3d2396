// The window's fixed texts in the chosen language. The Russian texts are the sources, marked
// for the translation tools with QT_TRANSLATE_NOOP("Window", …). A control given its text here
// keeps the source, so that after a change of language ShowWindowTextsAgain shows it in the
// new one.
#pragma once

#include <QString>

class QObject;

namespace skelda {

inline constexpr char kWindowContext[] = "Window";

// The source text in the language in use.
QString WindowText(const char* source);

// Shows the source's text on a label, a button, a check box, an action or a menu's action.
void SetWindowText(QObject& control, const char* source);

// Shows the texts given with SetWindowText again, on root and every object under it.
void ShowWindowTextsAgain(QObject& root);

}  // namespace skelda
