// The window in English and back: the translation file complete, no Russian left on screen in
// English, the choice remembered, Qt's own buttons following it.
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStatusBar>
#include <QXmlStreamReader>

#include "form1_fixture.h"
#include "ui/connect_dialog.h"
#include "ui/halftone_dialog.h"
#include "ui/machine_dialog.h"
#include "ui/machine_panel.h"
#include "ui/status_hints.h"
#include "ui/test_grid_dialog.h"

namespace skelda::testing {
namespace {

const QRegularExpression kCyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
const QRegularExpression kPlaceholder(QStringLiteral("%\\d"));

QStringList Placeholders(const QString& text) {
  QStringList found;
  for (const auto& m : kPlaceholder.globalMatch(text)) found << m.captured();
  found.sort();
  return found;
}

// Every entry finished, not vanished, and with the placeholders of its source.
TEST(TranslationFile, EveryEntryIsFinished) {
  QFile file(QStringLiteral(SKELDA_TS_FILE));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QString source;
  int entries = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("source")) source = xml.readElementText();
    if (xml.name() != QLatin1String("translation")) continue;
    const QString type = xml.attributes().value(QLatin1String("type")).toString();
    const QString text = xml.readElementText();
    EXPECT_TRUE(type.isEmpty() && !text.isEmpty())
        << type.toStdString() << ": " << source.toStdString();
    EXPECT_EQ(Placeholders(text), Placeholders(source)) << source.toStdString();
    ++entries;
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(entries, 200);
}

class LanguageTest : public Form1Test {
 protected:
  void TearDown() override { Choose(form->LanguageRu1); }
  void Choose(QAction* item) {
    item->trigger();
    for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
  }
  // The texts a window shows: captions, titles, tips and hints of everything under it.
  static void ExpectNoRussian(QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (QAction* a : window.findChildren<QAction*>()) texts << a->text() << a->statusTip();
    for (QWidget* w : window.findChildren<QWidget*>()) {
      texts << w->toolTip() << HintFor(w->objectName());
      if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
      if (auto* edit = qobject_cast<QLineEdit*>(w)) texts << edit->placeholderText();
    }
    // The submenu and the item that name languages in their own words.
    texts.removeAll(QStringLiteral("Язык / Language"));
    texts.removeAll(QStringLiteral("Русский"));
    for (const QString& text : texts) EXPECT_FALSE(text.contains(kCyrillic)) << text.toStdString();
  }
};

TEST_F(LanguageTest, EnglishLeavesNoRussianText) {
  Choose(form->LanguageEn1);
  ExpectNoRussian(*form);
  ConnectDialog connect(*fake, {}, [] { return std::vector<PortEntry>(); });
  MachineDialog machine(*fake, {}, nullptr, {});
  HalftoneDialog halftone(*fake, 0.2);
  TestGridDialog grid(*fake, {});
  for (QWidget* dialog : std::initializer_list<QWidget*>{&connect, &machine, &halftone, &grid})
    ExpectNoRussian(*dialog);
  fake->okCancelAnswers.push_back(false);
  LoadBoth(Gradient(8, 8));
  Click(form->btn4);
  form->N2->trigger();
  form->About1->trigger();
  for (const QString& text : fake->questions + fake->informations)
    EXPECT_FALSE(text.contains(kCyrillic)) << text.toStdString();
}

TEST_F(LanguageTest, SwitchesBothWaysAtOnceAndIsRemembered) {
  form->trckbr1->setValue(10);
  const auto seen = [this] {
    QTest::mouseMove(form->btn20, QPoint(20, 20));
    const QString hint = form->stat1->currentMessage();
    QTest::mouseMove(&form->canvas(), QPoint(40, 40));
    QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes);
    return QStringList{form->File1->title(),
                       form->N50->title(),
                       form->N10->text(),
                       form->btn4->text(),
                       form->pnlMachine->btnStop->text(),
                       form->lbl5->text(),
                       hint,
                       box.button(QMessageBox::Yes)->text(),
                       HalftoneDialog(*fake, 0.2).windowTitle()};
  };
  const QStringList russian = {"Файл",
                               "Станок",
                               "Загрузить изображение",
                               "Применить",
                               "Стоп",
                               "Резкость 10%",
                               "Инвертировать изображение.",
                               "&Да",
                               "Полутоновый растр"};
  Choose(form->LanguageEn1);
  EXPECT_EQ(seen(),
            QStringList({"File", "Machine", "Load picture", "Apply", "Stop", "Sharpness 10%",
                         "Invert the picture.", "&Yes", "Halftone screen"}));
  EXPECT_EQ(SavedLanguage(), WindowLanguage::English);
  EXPECT_TRUE(form->LanguageEn1->isChecked());
  Choose(form->LanguageRu1);
  EXPECT_EQ(seen(), russian);
  EXPECT_EQ(SavedLanguage(), WindowLanguage::Russian);
  EXPECT_TRUE(form->LanguageRu1->isChecked() && !form->LanguageEn1->isChecked());
}

}  // namespace
}  // namespace skelda::testing
