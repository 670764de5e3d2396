#include "ui/test_grid_dialog.h"

#include <QFormLayout>
#include <QLineEdit>

#include "core/numbers.h"
#include "ui/error_box.h"

namespace skelda {
namespace {

QString RangeText(const GridRange& r) {
  return QStringLiteral("%1:%2:%3").arg(r.low).arg(r.high).arg(r.count);
}

}  // namespace

TestGridDialog::TestGridDialog(Dialogs& dialogs, const TestGridSettings& base, QWidget* parent)
    : FieldsDialog(dialogs, QStringLiteral("TestGridDialog"), tr("Тестовая сетка"), parent),
      settings_(base) {
  edtPowers = Named(new QLineEdit(RangeText(base.powers)), "edtPowers");
  edtFeeds = Named(new QLineEdit(RangeText(base.feeds)), "edtFeeds");
  edtCell = Named(new QLineEdit(QString::fromStdString(FloatToStr(base.cellMm))), "edtCell");

  auto* form = new QFormLayout;
  form->addRow(tr("Мощность S, от:до:кол-во:"), edtPowers);
  form->addRow(tr("Скорость мм/мин, от:до:кол-во:"), edtFeeds);
  form->addRow(tr("Сторона квадрата, мм:"), edtCell);
  LayOut(form);
}

void TestGridDialog::OkClick() {
  RunGuarded(dialogs_, this, [this] {
    TestGridSettings s = settings_;
    s.powers = ParseGridRange("powers", Text(edtPowers));
    s.feeds = ParseGridRange("feeds", Text(edtFeeds));
    s.cellMm = StrToDouble(Text(edtCell));
    TestGrid{s};  // every refusal now, not after the save dialog
    settings_ = s;
    accept();
  });
}

}  // namespace skelda
