#include "ui/test_grid_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/numbers.h"
#include "ui/error_box.h"
#include "ui/status_hints.h"

namespace skelda {
namespace {

// The hint of a control doubles as its tool tip: the dialog has no status bar.
template <class Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  control->setToolTip(HintFor(control->objectName()));
  return control;
}

QString RangeText(const GridRange& r) {
  return QStringLiteral("%1:%2:%3").arg(r.low).arg(r.high).arg(r.count);
}

std::string Text(const QLineEdit* field) {
  return field->text().toStdString();
}

}  // namespace

TestGridDialog::TestGridDialog(Dialogs& dialogs, const TestGridSettings& base, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), settings_(base) {
  setObjectName(QStringLiteral("TestGridDialog"));
  setWindowTitle(QStringLiteral("Тестовая сетка"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  edtPowers = Named(new QLineEdit(RangeText(base.powers)), "edtPowers");
  edtFeeds = Named(new QLineEdit(RangeText(base.feeds)), "edtFeeds");
  edtCell = Named(new QLineEdit(QString::fromStdString(FloatToStr(base.cellMm))), "edtCell");
  btnOk = Named(new QPushButton(QStringLiteral("OK")), "btnOk");
  btnCancel = Named(new QPushButton(QStringLiteral("Отмена")), "btnCancel");
  btnOk->setDefault(true);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Мощность S, от:до:кол-во:"), edtPowers);
  form->addRow(QStringLiteral("Скорость мм/мин, от:до:кол-во:"), edtFeeds);
  form->addRow(QStringLiteral("Сторона квадрата, мм:"), edtCell);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(form);
  layout->addLayout(buttons);

  connect(btnOk, &QPushButton::clicked, this, &TestGridDialog::OkClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
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
