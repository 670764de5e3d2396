// "Подключить…": the controller to talk to, a serial port at a speed or a network address,
// starting from the last choice and checked as a whole before the dialog closes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/fields_dialog.h"
#include "ui/machine_settings.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace skelda {

// One line of the port list: the device and what the port says it is (maker and product).
struct PortEntry {
  std::string device;
  std::string description;
};
using PortLister = std::function<std::vector<PortEntry>()>;

class ConnectDialog : public FieldsDialog {
  Q_OBJECT

 public:
  // Lists the ports at once and again on "Обновить"; refusals go to `dialogs`' error box.
  ConnectDialog(Dialogs& dialogs, const ConnectionChoice& last, PortLister listPorts,
                QWidget* parent = nullptr);

  const ConnectionChoice& Choice() const { return choice_; }

  QRadioButton* rbSerial = nullptr;
  QRadioButton* rbNetwork = nullptr;
  QComboBox* cmbPort = nullptr;  // editable: a port the list misses can be typed
  QPushButton* btnRefresh = nullptr;
  QComboBox* cmbBaud = nullptr;
  QLineEdit* edtAddress = nullptr;
  void OkClick() override;

 public slots:
  void RefreshPorts();

 private:
  void FollowKind();
  std::string ChosenPort() const;

  PortLister listPorts_;
  ConnectionChoice choice_;
};

}  // namespace skelda
