#include "ui/connect_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

#include "core/numbers.h"
#include "ui/error_box.h"

namespace skelda {
namespace {

const int kBauds[] = {9600, 19200, 38400, 57600, 115200, 230400, 250000};

QString PortCaption(const PortEntry& port) {
  const QString device = QString::fromStdString(port.device);
  if (port.description.empty()) return device;
  return device + QStringLiteral(" — ") + QString::fromStdString(port.description);
}

int ParseConnectBaud(const std::string& text) {
  const int baud = StrToInt(text);
  if (baud < ConnectionChoice::kMinBaud || baud > ConnectionChoice::kMaxBaud)
    throw std::runtime_error(ConnectDialog::tr("Скорость %1 бод вне пределов от 9600 до 250000")
                                 .arg(QString::fromStdString(text))
                                 .toStdString());
  return baud;
}

void CheckAddress(const std::string& address) {
  const std::string scheme = "tcp://";
  if (address.rfind(scheme, 0) != 0 || address.size() == scheme.size() ||
      address[scheme.size()] == ':')
    throw std::runtime_error(ConnectDialog::tr("Сетевой адрес станка пишется так: "
                                               "tcp://ХОСТ[:ПОРТ], например tcp://192.168.1.50:23")
                                 .toStdString());
}

}  // namespace

ConnectDialog::ConnectDialog(Dialogs& dialogs, const ConnectionChoice& last, PortLister listPorts,
                             QWidget* parent)
    : FieldsDialog(dialogs, QStringLiteral("ConnectDialog"), tr("Подключить станок"), parent),
      listPorts_(std::move(listPorts)),
      choice_(last) {
  rbSerial = Named(new QRadioButton(tr("Порт USB (последовательный)")), "rbSerial");
  rbNetwork = Named(new QRadioButton(tr("Сеть (grblHAL, FluidNC)")), "rbNetwork");
  (last.network ? rbNetwork : rbSerial)->setChecked(true);
  cmbPort = Named(new QComboBox, "cmbPort");
  cmbPort->setEditable(true);
  cmbPort->setMinimumContentsLength(28);
  btnRefresh = Named(new QPushButton(tr("Обновить")), "btnRefresh");
  btnRefresh->setAutoDefault(false);
  cmbBaud = Named(new QComboBox, "cmbBaud");
  cmbBaud->setEditable(true);
  for (int baud : kBauds) cmbBaud->addItem(QString::number(baud));
  cmbBaud->setCurrentText(QString::number(last.baud));
  edtAddress = Named(new QLineEdit(QString::fromStdString(last.address)), "edtAddress");
  edtAddress->setPlaceholderText(QStringLiteral("tcp://192.168.1.50:23"));
  RefreshPorts();

  auto* port = new QHBoxLayout;
  port->addWidget(cmbPort, 1);
  port->addWidget(btnRefresh);
  auto* form = new QFormLayout;
  form->addRow(rbSerial);
  form->addRow(tr("Порт:"), port);
  form->addRow(tr("Скорость, бод:"), cmbBaud);
  form->addRow(rbNetwork);
  form->addRow(tr("Адрес:"), edtAddress);
  LayOut(form);

  connect(btnRefresh, &QPushButton::clicked, this, &ConnectDialog::RefreshPorts);
  connect(rbSerial, &QRadioButton::toggled, this, &ConnectDialog::FollowKind);
  FollowKind();
}

// The port typed or chosen stays chosen when it is still in the list, and stays typed otherwise.
void ConnectDialog::RefreshPorts() {
  const std::string chosen = cmbPort->count() == 0 ? choice_.port : ChosenPort();
  cmbPort->clear();
  RunGuarded(dialogs_, this, [this] {
    for (const PortEntry& port : listPorts_())
      cmbPort->addItem(PortCaption(port), QString::fromStdString(port.device));
  });
  const int index = cmbPort->findData(QString::fromStdString(chosen));
  if (index >= 0)
    cmbPort->setCurrentIndex(index);
  else
    cmbPort->setEditText(QString::fromStdString(chosen));
}

void ConnectDialog::FollowKind() {
  const bool serial = rbSerial->isChecked();
  cmbPort->setEnabled(serial);
  btnRefresh->setEnabled(serial);
  cmbBaud->setEnabled(serial);
  edtAddress->setEnabled(!serial);
}

std::string ConnectDialog::ChosenPort() const {
  const int index = cmbPort->currentIndex();
  if (index >= 0 && cmbPort->itemText(index) == cmbPort->currentText())
    return cmbPort->itemData(index).toString().toStdString();
  return cmbPort->currentText().trimmed().toStdString();
}

void ConnectDialog::OkClick() {
  RunGuarded(dialogs_, this, [this] {
    ConnectionChoice c = choice_;
    // Both kinds are remembered; only the chosen one must be complete.
    c.network = rbNetwork->isChecked();
    c.address = edtAddress->text().trimmed().toStdString();
    c.port = ChosenPort();
    if (c.network) {
      CheckAddress(c.address);
    } else {
      if (c.port.empty())
        throw std::runtime_error(tr("Выберите порт станка или впишите его имя").toStdString());
      c.baud = ParseConnectBaud(cmbBaud->currentText().toStdString());
    }
    choice_ = c;
    accept();
  });
}

}  // namespace skelda
