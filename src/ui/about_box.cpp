#include "ui/about_box.h"

#include <QCoreApplication>
#include <QtGlobal>

#include "ui/window_title.h"

namespace skelda {
namespace {

struct LinkedLibrary {
  const char* name;
  const char* licence;
  const char* (*version)() = nullptr;  // the version run with, where the library tells it
};

// Every library the program links, with the licence it is used under.
const LinkedLibrary kLibraries[] = {
    {"Qt", "GNU LGPL 3", qVersion},
    {"libjpeg-turbo", QT_TRANSLATE_NOOP("Window", "IJG, BSD (3 пункта), zlib")},
    {"libpng", "PNG Reference Library License 2"},
    {"zlib", "zlib"},
};

}  // namespace

QString AboutText() {
  QString text =
      QCoreApplication::translate("Window", "%1\nВерсия %2 (%3)\n\nБиблиотеки и их лицензии:")
          .arg(QString::fromUtf8(kProgramName), QString::fromUtf8(kProgramVersion),
               QString::fromUtf8(kContactAddress));
  for (const LinkedLibrary& library : kLibraries) {
    text += QStringLiteral("\n") + QString::fromUtf8(library.name);
    if (library.version != nullptr)
      text += QStringLiteral(" ") + QString::fromLatin1(library.version());
    text += QStringLiteral(" — ") + QCoreApplication::translate("Window", library.licence);
  }
  return text;
}

}  // namespace skelda
