#include "ui/window_language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

#include "ui/qt_translations.h"

namespace skelda {
namespace {

const QString kLanguageKey = QStringLiteral("window/language");

WindowLanguage current = WindowLanguage::Russian;
// Owns the translators of the language in use; destroying it takes their texts back.
QPointer<QObject> translators;

QSettings Store() {
  return QSettings(QStringLiteral("Skelda"), QStringLiteral("skelda"));
}

}  // namespace

WindowLanguage SavedLanguage() {
  return Store().value(kLanguageKey).toString() == QLatin1String("en") ? WindowLanguage::English
                                                                       : WindowLanguage::Russian;
}

void SaveLanguage(WindowLanguage language) {
  Store().setValue(kLanguageKey, language == WindowLanguage::English ? QStringLiteral("en")
                                                                     : QStringLiteral("ru"));
}

void UseLanguage(WindowLanguage language) {
  delete translators;
  translators = new QObject(QCoreApplication::instance());
  current = language;
  if (language == WindowLanguage::Russian) {
    InstallQtTranslations(translators, QLocale(QLocale::Russian));
    return;
  }
  auto* window = new QTranslator(translators);
  if (window->load(QStringLiteral(":/i18n/skelda_en.qm")))
    QCoreApplication::installTranslator(window);
  InstallQtTranslations(translators, QLocale(QLocale::English));
}

WindowLanguage CurrentLanguage() {
  return current;
}

}  // namespace skelda
