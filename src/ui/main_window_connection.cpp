// The controller in the "Станок" menu and the machine panel: connecting, the status shown,
// jogging, homing, unlocking, the work zero, disconnecting, and closing while connected.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QStatusBar>
#include <QTimer>
#include <stdexcept>

#include "core/numbers.h"
#include "machine/port_list.h"
#include "machine/safe_stop.h"
#include "ui/connect_dialog.h"
#include "ui/machine_link.h"
#include "ui/machine_panel.h"
#include "ui/machine_settings.h"
#include "ui/machine_state_text.h"
#include "ui/machine_texts.h"
#include "ui/main_window.h"

namespace skelda {
namespace {

constexpr int kStopSignalPollMs = 100;

std::vector<PortEntry> PortEntries() {
  std::vector<PortEntry> entries;
  for (const PortInfo& port : ListPorts()) {
    std::string description = port.maker;
    if (!port.product.empty()) description += (description.empty() ? "" : " ") + port.product;
    if (description.empty()) description = port.description;
    entries.push_back({port.path, description});
  }
  return entries;
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

void TForm1::N57Click() {
  RunCommand([this] {
    ConnectDialog dialog(*dialogs_, LoadConnectionChoice(), PortEntries, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const ConnectionChoice& choice = dialog.Choice();
    SaveConnectionChoice(choice);
    WatchStopSignals();
    ConnectOptions options;
    options.port = choice.Target();
    options.baud = choice.baud;
    link_ = new MachineLink(*this, this);
    link_->Session().Connect(options);
    stat1->showMessage(tr("Подключение к %1…").arg(Text(choice.Target())));
    UpdateActions();
  });
}

void TForm1::OnConnected(const ControllerInfo& info) {
  connected_ = true;
  workOffset_ = info.workOffset;
  // The job time then counts the line this machine is really on. Over a network the speed
  // given for the controller's own serial side stays.
  if (info.baud > 0 && info.baud != motion_.baud) {
    motion_.baud = info.baud;
    SaveMotionSettings(motion_);
  }
  pnlMachine->show();
  KeepNormalSize();
  KeepMachinePanelOnScreen();
  OnStatus(info.status);
  stat1->showMessage(tr("Подключено: %1 (%2)").arg(Text(info.welcome), Text(info.port)));
  UpdateActions();
}

void TForm1::OnConnectFailed(const ConnectFailure& failure) {
  DropLink();
  stat1->clearMessage();  // "Подключение к …" is over
  dialogs_->Error(this, ConnectFailureMessage(failure));
}

void TForm1::OnConnectionLost(const std::string& message) {
  if (jobRunning_) {
    jobLost_ = true;  // the job's end reports it, with the row to resume from
    return;
  }
  DropLink();
  dialogs_->Error(this, tr("Связь со станком потеряна: %1").arg(Text(message)));
}

void TForm1::OnStatus(const StatusReport& status) {
  if (status.workOffset) workOffset_ = status.workOffset;
  pnlMachine->ShowState(StateText(status.state));
  if (const auto position = WorkPosition(status, workOffset_))
    pnlMachine->ShowPosition((*position)[0], (*position)[1]);
  if (status.overrides) pnlMachine->ShowOverrides((*status.overrides)[0], (*status.overrides)[2]);
}

// What the controller says outside the answers ([MSG:…], an alarm, a refused jog) goes to the
// status bar; the state in the panel tells the rest.
void TForm1::OnMessage(const std::string& line) {
  stat1->showMessage(tr("Станок: %1").arg(Text(line)));
}

void TForm1::N58Click() {
  DropLink();
  stat1->showMessage(tr("Станок отключен"));
}

void TForm1::DropLink() {
  if (link_ != nullptr) {
    link_->Detach();
    link_->deleteLater();  // not now: this may be one of its own calls
    link_ = nullptr;
  }
  connected_ = jobRunning_ = held_ = jobLost_ = false;
  pnlMachine->hide();
  KeepNormalSize();
  UpdateActions();
}

void TForm1::RunOnMachine(const std::function<void(MachineSession&)>& request) {
  RunCommand([&] {
    if (link_ != nullptr && connected_) request(link_->Session());
  });
}

void TForm1::N62Click() {
  RunOnMachine([](MachineSession& m) { m.Home(); });
}

void TForm1::N63Click() {
  RunOnMachine([](MachineSession& m) { m.Unlock(); });
}

void TForm1::N64Click() {
  RunOnMachine([](MachineSession& m) { m.ZeroHere(); });
}

void TForm1::Jog(int dx, int dy) {
  RunOnMachine([&](MachineSession& m) {
    const std::string feedText = pnlMachine->JogFeedText().toStdString();
    const double feed = StrToDouble(feedText);
    if (!(feed > 0))
      throw std::runtime_error(tr("Скорость перемещения %1 мм/мин должна быть больше 0")
                                   .arg(QString::fromStdString(feedText))
                                   .toStdString());
    const double step = pnlMachine->JogStep();
    m.Jog(dx * step, dy * step, feed);
  });
}

void TForm1::JogCancelClick() {
  RunOnMachine([](MachineSession& m) { m.JogCancel(); });
}

// A stop signal (SIGINT, SIGTERM, SIGHUP) only raises a flag once the safe stop is installed:
// the session stops a running job itself, and the window closes after it.
void TForm1::WatchStopSignals() {
  InstallSafeStop();
  if (stopSignalWatch_ != nullptr) return;
  stopSignalWatch_ = new QTimer(this);
  connect(stopSignalWatch_, &QTimer::timeout, this, [this] {
    if (!SafeStopRequested()) return;
    closeAfterStop_ = true;
    if (jobRunning_) return;
    stopSignalWatch_->stop();
    close();
  });
  stopSignalWatch_->start(kStopSignalPollMs);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (jobRunning_) {
    event->ignore();
    if (closeAfterStop_) return;  // the stop is under way
    if (!dialogs_->ConfirmYesNo(this, tr("Остановить задание и выйти?"))) return;
    closeAfterStop_ = true;
    link_->Session().Stop();  // the job's end closes the window
    return;
  }
  delete link_;
  link_ = nullptr;
  QMainWindow::closeEvent(event);
}

}  // namespace skelda
