// The machine panel, shown beside the side panel while a controller is connected: the state and
// position from the status reports, the jog buttons, and the running job's progress, pause,
// stop and overrides. It only shows; the command table connects its buttons to the window.
#pragma once

#include <QFrame>
#include <QString>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace skelda {

class MachinePanel : public QFrame {
  Q_OBJECT

 public:
  explicit MachinePanel(QWidget* parent = nullptr);

  void ShowState(const QString& state);
  void ShowPosition(double x, double y);
  // The overrides in percent, as the controller reports them.
  void ShowOverrides(int feed, int power);
  // Row `row` of `rows`, `percent` of the planned time done, the times in seconds.
  void ShowProgress(int percent, long row, long rows, double elapsed, double remaining);
  // The job's controls are on only while a job runs; "Пауза" reads "Продолжить" while held.
  void ShowJob(bool running, bool paused);
  // After a fault: the row a new start may begin at; nothing hides it.
  void ShowResumeRow(std::optional<long> row);

  // The jog the buttons send: the step in mm; the feed field's text.
  double JogStep() const;
  QString JogFeedText() const;

  QLabel* lblMachineState = nullptr;
  QLabel* lblMachinePos = nullptr;
  QPushButton* btnJogXMinus = nullptr;
  QPushButton* btnJogXPlus = nullptr;
  QPushButton* btnJogYMinus = nullptr;
  QPushButton* btnJogYPlus = nullptr;
  QPushButton* btnJogCancel = nullptr;
  QComboBox* cmbJogStep = nullptr;
  QLineEdit* edtJogFeed = nullptr;
  QProgressBar* prgJob = nullptr;
  QLabel* lblJobRow = nullptr;
  QLabel* lblJobTime = nullptr;
  QPushButton* btnPause = nullptr;
  QPushButton* btnStop = nullptr;
  QLabel* lblFeedOverride = nullptr;
  QPushButton* btnFeedMinus = nullptr;
  QPushButton* btnFeed100 = nullptr;
  QPushButton* btnFeedPlus = nullptr;
  QLabel* lblPowerOverride = nullptr;
  QPushButton* btnPowerMinus = nullptr;
  QPushButton* btnPower100 = nullptr;
  QPushButton* btnPowerPlus = nullptr;
  QLabel* lblResumeRow = nullptr;

 protected:
  // A change of language shows everything again from what was shown last.
  void changeEvent(QEvent* event) override;

 private:
  struct Shown {
    QString state;
    int feed = 100, power = 100;
    long row = 0, rows = 0;
    double elapsed = 0, remaining = 0;
    bool running = false, paused = false;
    std::optional<long> resumeRow;
  };
  void ShowTexts();

  Shown shown_;
};

// The caption of a machine panel button, from the command table (command_table.cpp).
QString MachineButtonCaption(const char* name);

}  // namespace skelda
