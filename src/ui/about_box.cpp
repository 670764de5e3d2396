#include "ui/about_box.h"

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
    {"libjpeg-turbo", "IJG, BSD (3 пункта), zlib"},
    {"libpng", "PNG Reference Library License 2"},
    {"zlib", "zlib"},
};

}  // namespace

QString AboutText() {
  QString text = QString::fromUtf8(kProgramName) + QStringLiteral("\nВерсия ") +
                 QString::fromUtf8(kProgramVersion) + QStringLiteral(" (") +
                 QString::fromUtf8(kContactAddress) +
                 QStringLiteral(")\n\nБиблиотеки и их лицензии:");
  for (const LinkedLibrary& library : kLibraries) {
    text += QStringLiteral("\n") + QString::fromUtf8(library.name);
    if (library.version != nullptr)
      text += QStringLiteral(" ") + QString::fromLatin1(library.version());
    text += QStringLiteral(" — ") + QString::fromUtf8(library.licence);
  }
  return text;
}

}  // namespace skelda
