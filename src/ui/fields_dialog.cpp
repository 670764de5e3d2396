#include "ui/fields_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/status_hints.h"

namespace skelda {

FieldsDialog::FieldsDialog(Dialogs& dialogs, const QString& objectName, const QString& title,
                           QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName(objectName);
  setWindowTitle(title);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  btnOk = Named(new QPushButton(QStringLiteral("OK")), "btnOk");
  btnCancel = Named(new QPushButton(tr("Отмена")), "btnCancel");
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FieldsDialog::LayOut(QFormLayout* form) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(form);
  layout->addLayout(buttons);
}

std::string FieldsDialog::Text(const QLineEdit* field) {
  return field->text().toStdString();
}

void FieldsDialog::NameWithHint(QWidget& control, const char* name) {
  control.setObjectName(QLatin1String(name));
  control.setToolTip(HintFor(control.objectName()));
}

}  // namespace skelda
