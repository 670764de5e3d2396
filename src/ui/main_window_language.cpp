// "Язык / Language" in "Файл": the window in Russian or English, chosen at once and remembered;
// every text of the window shown again in the language chosen.
#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "ui/main_window.h"
#include "ui/status_hints.h"
#include "ui/window_texts.h"

namespace skelda {

// The submenu's caption names it in both languages, so that either reader finds it.
void TForm1::BuildLanguageMenu() {
  Language1 = new QMenu(QStringLiteral("Язык / Language"), File1);
  Language1->setObjectName(QStringLiteral("Language1"));
  Language1->setFont(File1->font());
  Language1->menuAction()->setObjectName(QStringLiteral("Language1"));
  Language1->menuAction()->setStatusTip(HintFor(QStringLiteral("Language1")));
  File1->insertMenu(File1->findChild<QAction*>(QStringLiteral("ExifTurnSeparator1")), Language1);
  AddCommandItems(Language1);
  auto* languages = new QActionGroup(Language1);
  for (QAction* item : {LanguageRu1, LanguageEn1}) {
    item->setCheckable(true);
    languages->addAction(item);
  }
  (CurrentLanguage() == WindowLanguage::English ? LanguageEn1 : LanguageRu1)->setChecked(true);
}

// The new texts arrive as a LanguageChange (ShowTexts).
void TForm1::ChooseLanguage(WindowLanguage language) {
  SaveLanguage(language);
  UseLanguage(language);
}

void TForm1::ShowTexts() {
  ShowCommandTexts();
  ShowWindowTextsAgain(*this);
  for (QLabel* label : {lbl10, lbl5, lbl11, lbl12}) SetLabel(label, LabelText(label));
  CentrePanelUnits();
  const QList<QAction*> actions = findChildren<QAction*>();
  for (QAction* action : actions) {
    const QString hint = HintFor(action->objectName());
    if (!hint.isEmpty()) action->setStatusTip(hint);
  }
  stat1->clearMessage();
  UpdateActions();  // the burn items' hints follow the machine chosen
}

}  // namespace skelda
