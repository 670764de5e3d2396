// The window at the machine: a fake GRBL controller on a pseudo-terminal, driven through the
// "Станок" menu, the connect dialog and the machine panel.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <csignal>

#include "form1_fixture.h"
#include "machine/job_plan.h"
#include "machine/safe_stop.h"
#include "machine/session.h"
#include "support/fake_grbl.h"
#include "ui/connect_dialog.h"
#include "ui/machine_panel.h"
#include "ui/machine_texts.h"

namespace skelda::testing {
namespace {

constexpr int kHandshakeLines = 2;  // $I and $$ come before a job's first line
constexpr int kWaitMs = 10000;

// Rows of 10 mm burnt at F600: a second each in the fake's time.
std::string Raster(int rows) {
  std::string program = "G21\nG90\nM4 S0\nG1 F600\nG0 X0 Y0\n";
  for (int r = 1; r <= rows; ++r) {
    program += r % 2 ? "G1 X10 S800\n" : "G1 X0 S800\n";
    if (r < rows) program += "G0 Y" + std::to_string(r) + "\n";
  }
  return program + "M5\nM2\n";
}

// A fake running `speed` times faster than a real machine, with one fault at a line.
FakeGrblOptions Fake(double speed, int FakeGrblOptions::*fault = nullptr, int at = 0) {
  FakeGrblOptions options;
  options.speed = speed;
  if (fault != nullptr) options.*fault = at;
  return options;
}

std::vector<std::string> Lines(const std::string& program) {
  std::vector<std::string> lines;
  for (const JobLine& line : PlanJob(program, MotionSettings{}).lines) lines.push_back(line.text);
  return lines;
}

// A zero-interval timer on the window's thread: the longest the event loop was away.
struct LoopWatch {
  LoopWatch() {
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [this] {
      longest = std::max(longest, clock.elapsed() - last);
      last = clock.elapsed();
    });
    clock.start();
    tick.start();
  }
  QElapsedTimer clock;
  qint64 last = 0, longest = 0;
  QTimer tick;
};

class MachineTest : public Form1Test {
 protected:
  void Connect(FakeGrblOptions options = {}) {
    grbl = std::make_unique<FakeGrbl>(options);
    QTimer::singleShot(0, [this] {
      auto* dialog = qobject_cast<ConnectDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->cmbPort->setEditText(QString::fromStdString(grbl->Path()));
      dialog->OkClick();
    });
    form->N57->trigger();
  }
  void ConnectAndWait(FakeGrblOptions options = {}) {
    Connect(options);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->N58->isEnabled(); }, kWaitMs));
  }
  // The program written to a file that "Отправить файл…" is then given.
  void OfferFile(const std::string& program, const char* name = "job.nc") {
    QFile file(QString::fromStdString(Path(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(program.data(), program.size()), qint64(program.size()));
    fake->openProgramAnswers.push_back(file.fileName());
  }
  void SendFile(const std::string& program) {
    OfferFile(program);
    form->N60->trigger();
    WaitForPlan();
    ASSERT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  }
  // The plan is made off the window's thread; the job starts, or its error is told, after it.
  void WaitForPlan() {
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return form->stat1->currentMessage() != PlanningText(); }, kWaitMs));
  }
  bool WaitForJobEnd() {
    return QTest::qWaitFor([&] { return !form->pnlMachine->btnStop->isEnabled(); }, kWaitMs);
  }
  QString State() const { return form->pnlMachine->lblMachineState->text(); }

  std::unique_ptr<FakeGrbl> grbl;
};

TEST_F(MachineTest, MenuItemsFollowTheConnectionAndTheJob) {
  form->N52->trigger();
  LoadBoth(Gradient(4, 2));
  const std::vector<QAction*> items = {form->N57, form->N58, form->N59, form->N60, form->N61,
                                       form->N62, form->N63, form->N64, form->nc1, form->N54};
  const auto enabled = [&] {
    std::string on;
    for (QAction* item : items) on += item->isEnabled() ? '1' : '0';
    return on + (form->btn8->isEnabled() ? '1' : '0');
  };
  EXPECT_EQ(enabled(), "10000000111");
  const int width = form->width(), canvas = form->canvas().width();
  ConnectionChoice choice;
  choice.baud = 57600;
  SaveConnectionChoice(choice);
  ConnectAndWait();
  EXPECT_EQ(enabled(), "01111111111");
  EXPECT_EQ(LoadMotionSettings().baud, 57600);  // the job time counts the connection's speed
  // The panel widens the window and leaves the picture its whole area.
  EXPECT_TRUE(form->pnlMachine->isVisible());
  EXPECT_EQ(form->width(), width + form->pnlMachine->width());
  EXPECT_EQ(form->canvas().width(), canvas);
  // The offscreen screen is 800 px wide: the panel stays on it.
  const QWidget& panel = *form->pnlMachine;
  EXPECT_LE(panel.mapToGlobal(QPoint(panel.width() - 1, 0)).x(),
            form->screen()->availableGeometry().right());
  EXPECT_EQ(State(), "Станок: Ожидание");
  SendFile(Raster(40));
  EXPECT_EQ(enabled(), "00000000000");
  form->pnlMachine->btnStop->click();
  ASSERT_TRUE(WaitForJobEnd());
  form->N51->trigger();
  EXPECT_EQ(enabled(), "01010111111");
  EXPECT_EQ(form->N59->statusTip(),
            "Прожиг на станке только для GRBL: выберите «GRBL 1.1, лазерный режим».");
  form->N58->trigger();
  EXPECT_EQ(enabled(), "10000000111");
  EXPECT_FALSE(form->pnlMachine->isVisible());
}

// The picture's program is written as "G-Code *.nc" writes it, then streamed whole, while the
// window's event loop never stalls.
TEST_F(MachineTest, PictureBurnsToTheEndWhileTheWindowStaysResponsive) {
  form->N52->trigger();
  // Black throughout: in line mode each row is one burn, half a second at speed 10.
  LoadBoth(MakePicture(4, 30, PixelFormat::Bit32, [](int, int) { return Color(0); }));
  form->chk1->click();
  ConnectAndWait(Fake(10));
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("burn")));
  form->N59->trigger();
  WaitForPlan();
  ASSERT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  LoopWatch watch;
  ASSERT_TRUE(WaitForJobEnd());
  watch.tick.stop();
  EXPECT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_LT(watch.longest, 50);
  EXPECT_GT(watch.clock.elapsed(), 200);  // the job took long enough to tell
  EXPECT_EQ(form->pnlMachine->prgJob->value(), 100);
  EXPECT_TRUE(QTest::qWaitFor([&] { return State() == "Станок: Ожидание"; }, kWaitMs));
  QFile file(QString::fromStdString(Path("burn.nc")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  std::vector<std::string> executed = grbl->Executed();
  EXPECT_EQ(executed, Lines(file.readAll().toStdString()));
  EXPECT_EQ(grbl->Dropped(), 0u);
  EXPECT_TRUE(form->stat1->currentMessage().startsWith("Задание выполнено: строк "));
}

// Pause waits for the beam to go off; a stop leaves the row to resume from, and the resumed
// job burns the rest.
TEST_F(MachineTest, PauseResumeStopAndResumeFromTheRow) {
  form->N52->trigger();
  LoadBoth(Gradient(4, 2));
  ConnectAndWait(Fake(4));
  const std::string program = Raster(12);
  SendFile(program);
  MachinePanel& panel = *form->pnlMachine;
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.prgJob->value() >= 10; }, kWaitMs));
  panel.btnPause->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.btnPause->text() == "Продолжить"; }, kWaitMs));
  EXPECT_FALSE(grbl->BeamOn());
  EXPECT_TRUE(QTest::qWaitFor([&] { return State() == "Станок: Пауза"; }, kWaitMs));
  panel.btnPause->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.btnPause->text() == "Пауза"; }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.prgJob->value() >= 30; }, kWaitMs));
  panel.btnStop->click();
  ASSERT_TRUE(WaitForJobEnd());
  EXPECT_FALSE(grbl->BeamOn());
  ASSERT_TRUE(panel.lblResumeRow->isVisibleTo(&panel));
  const QString row = panel.lblResumeRow->text().section(' ', -1);
  // The resume may begin a row early: the reset emptied what the planner still held.
  const QString stopped = form->stat1->currentMessage();
  EXPECT_TRUE(stopped.startsWith("Задание остановлено на строке ")) << stopped.toStdString();
  EXPECT_LE(row.toInt(), stopped.section(' ', -1).toInt());
  const std::size_t before = grbl->Executed().size();
  fake->yesNoAnswers.push_back(true);
  form->N59->trigger();
  WaitForPlan();
  EXPECT_EQ(fake->questions.last(), "Продолжить с строки " + row + "?");
  ASSERT_TRUE(WaitForJobEnd());
  EXPECT_EQ(grbl->Executed().back(), "M2");
  EXPECT_GT(grbl->Executed().size(), before);
  EXPECT_EQ(panel.prgJob->value(), 100);
  EXPECT_FALSE(panel.lblResumeRow->isVisibleTo(&panel));
}

struct FaultRow {
  const char* name;
  FakeGrblOptions options;
  const char* message;  // the error box's text begins so
};
void PrintTo(const FaultRow& row, std::ostream* os) {
  *os << row.name;
}
class MachineFaultTest : public MachineTest, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(MachineFaultTest, FaultIsToldWithTheLineAndTheRowToResumeFrom) {
  ConnectAndWait(GetParam().options);
  SendFile(Raster(12));
  ASSERT_TRUE(WaitForJobEnd());
  ASSERT_EQ(fake->errors.size(), 1) << fake->errors.join(" | ").toStdString();
  EXPECT_TRUE(fake->errors[0].startsWith(QString::fromUtf8(GetParam().message)))
      << fake->errors[0].toStdString();
  EXPECT_TRUE(form->pnlMachine->lblResumeRow->text().startsWith("Продолжить можно с строки "));
}

INSTANTIATE_TEST_SUITE_P(
    Machine, MachineFaultTest,
    ::testing::Values(
        FaultRow{
            "error", Fake(1, &FakeGrblOptions::errorAt, kHandshakeLines + 7),
            "Станок остановил задание: код 20 — G-команда, которую контроллер не поддерживает."},
        FaultRow{
            "alarm", Fake(4, &FakeGrblOptions::alarmAt, kHandshakeLines + 8),
            "Станок остановил задание: тревога 1 — сработал концевик: положение потеряно, найдите "
            "ноль снова."},
        FaultRow{"lost", Fake(4, &FakeGrblOptions::closeAt, kHandshakeLines + 8),
                 "Связь со станком потеряна."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineTest, ErrorNamesTheFileLine) {
  ConnectAndWait(Fake(1, &FakeGrblOptions::errorAt, kHandshakeLines + 7));
  SendFile(Raster(12));
  ASSERT_TRUE(WaitForJobEnd());
  ASSERT_EQ(fake->errors.size(), 1) << fake->errors.join(" | ").toStdString();
  EXPECT_TRUE(fake->errors[0].contains("\nСтрока 7 файла: G0 Y1\n"))
      << fake->errors[0].toStdString();
}

TEST_F(MachineTest, JogStepsAndIsCancelled) {
  ConnectAndWait();
  MachinePanel& panel = *form->pnlMachine;
  panel.cmbJogStep->setCurrentText("10");
  Type(panel.edtJogFeed, "1200");
  panel.btnJogXPlus->click();
  panel.cmbJogStep->setCurrentText("0.1");
  panel.btnJogYMinus->click();
  panel.btnJogCancel->click();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return grbl->Realtime().find('\x85') != std::string::npos; }, kWaitMs));
  const std::vector<std::string> lines = grbl->Lines();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + kHandshakeLines, lines.end()),
            (std::vector<std::string>{"$J=G91 G21 X10.000 Y0.000 F1200",
                                      "$J=G91 G21 X0.000 Y-0.100 F1200"}));
  Type(panel.edtJogFeed, "0");
  panel.btnJogXMinus->click();
  EXPECT_EQ(fake->errors, QStringList{"Скорость перемещения 0 мм/мин должна быть больше 0."});
}

TEST_F(MachineTest, ClosingDuringAJobAsksAndStopsFirst) {
  ConnectAndWait(Fake(2));
  SendFile(Raster(12));
  form->close();
  EXPECT_EQ(fake->questions, QStringList{"Остановить задание и выйти?"});
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->pnlMachine->btnStop->isEnabled());
  fake->yesNoAnswers.push_back(true);
  form->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, kWaitMs));
  EXPECT_FALSE(grbl->BeamOn());
  EXPECT_LT(grbl->Executed().size(), Lines(Raster(12)).size() + kHandshakeLines);
}

// SIGTERM (a logout, a kill) while a job runs: the session stops the job, then the window
// closes.
TEST_F(MachineTest, StopSignalStopsTheJobBeforeTheWindowCloses) {
  ConnectAndWait(Fake(2));
  SendFile(Raster(12));
  std::raise(SIGTERM);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, kWaitMs));
  ClearSafeStop();
  EXPECT_TRUE(fake->questions.isEmpty());
  EXPECT_FALSE(grbl->BeamOn());
  EXPECT_LT(grbl->Executed().size(), Lines(Raster(12)).size());
}

TEST_F(MachineTest, ConnectDialogRefusesBadChoicesAndRemembersTheLast) {
  ConnectionChoice last;
  last.port = "/dev/ttyUSB7";
  ConnectDialog dialog(*fake, last, [] {
    return std::vector<PortEntry>{{"/dev/ttyACM0", "Arduino Uno"}};
  });
  EXPECT_EQ(dialog.cmbPort->itemText(0), "/dev/ttyACM0 — Arduino Uno");
  EXPECT_EQ(dialog.cmbPort->currentText(), "/dev/ttyUSB7");
  dialog.cmbPort->setCurrentIndex(0);
  const std::pair<const char*, const char*> refusals[] = {
      {"300", "Скорость 300 бод вне пределов от 9600 до 250000."},
      {"fast", "'fast' is not a valid integer value."}};
  for (const auto& [baud, error] : refusals) {
    dialog.cmbBaud->setCurrentText(baud);
    dialog.OkClick();
    EXPECT_EQ(fake->errors.last(), error);
  }
  dialog.rbNetwork->setChecked(true);
  dialog.edtAddress->setText("192.168.1.50");
  dialog.OkClick();
  EXPECT_TRUE(fake->errors.last().startsWith("Сетевой адрес станка пишется так: tcp://"));
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  dialog.rbSerial->setChecked(true);
  dialog.cmbBaud->setCurrentText("250000");
  dialog.OkClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  SaveConnectionChoice(dialog.Choice());
  ConnectionChoice expected;
  expected.port = "/dev/ttyACM0";
  expected.baud = 250000;
  expected.address = "192.168.1.50";
  EXPECT_EQ(LoadConnectionChoice(), expected);
}

TEST_F(MachineTest, MissingWelcomeIsToldAndNothingStaysConnected) {
  FakeGrblOptions silent;
  silent.answers = false;
  Connect(silent);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !fake->errors.isEmpty(); }, 3 * kWaitMs));
  EXPECT_EQ(fake->errors[0].toStdString(),
            "Станок не подключен: на " + grbl->Path() +
                " не ответил контроллер GRBL, даже после сброса. Проверьте порт и скорость.");
  EXPECT_TRUE(form->N57->isEnabled());
  EXPECT_FALSE(form->pnlMachine->isVisible());
}

struct ConnectFailureRow {
  const char* name;
  const char* port;  // {dir}: a folder with "plain", a file; {pty}: a fake's
  int baud;
  bool held;  // the port locked by another open, as another sender holds it
  ConnectFailureKind kind;
  const char* english;  // the command line's text; {} stands for the port
  const char* russian;  // the window's
};

std::string Filled(std::string text, const std::map<std::string, std::string>& values) {
  for (const auto& [key, value] : values)
    for (std::size_t at; (at = text.find(key)) != std::string::npos;)
      text.replace(at, key.size(), value);
  return text;
}

const ConnectFailureRow kConnectFailures[] = {
    {"missing", "{dir}/ttyNone", kDefaultBaud, false, ConnectFailureKind::PortMissing,
     "cannot open {}: no such port (is the controller plugged in? skelda-cli --ports lists the "
     "ports)",
     "Станок не подключен: порт {} не найден. Проверьте, что станок включен и подключен к "
     "компьютеру."},
    {"not a port", "{dir}/plain", kDefaultBaud, false, ConnectFailureKind::NotAPort,
     "cannot open {}: not a serial port", "Станок не подключен: {} — не последовательный порт."},
    {"busy", "{pty}", kDefaultBaud, true, ConnectFailureKind::PortBusy,
     "cannot open {}: the port is busy, held by another program (close the other sender or "
     "terminal first)",
     "Станок не подключен: порт {} занят другой программой. Закройте ее и подключитесь снова."},
    {"baud", "{pty}", 14400, false, ConnectFailureKind::UnsupportedBaud,
     "cannot open {}: unsupported baud 14400",
     "Станок не подключен: порт {} не работает на скорости 14400 бод."},
    // Nothing listens on port 1 of this host.
    {"refused", "tcp://127.0.0.1:1", kDefaultBaud, false, ConnectFailureKind::Refused,
     "cannot connect to {}: Connection refused",
     "Станок не подключен: {} отказал в соединении. Проверьте адрес и номер порта."},
    {"port number", "tcp://127.0.0.1:http", kDefaultBaud, false, ConnectFailureKind::BadPortNumber,
     "cannot connect to {}: 'http' is not a port number",
     "Станок не подключен: в адресе {} «http» — не номер порта."},
};

// Each way a connection fails: the command line's English as it always was, the window's
// Russian naming the port, and nothing left connected.
TEST_F(MachineTest, ConnectFailuresAreToldInEachLanguage) {
  OfferFile("", "plain");
  for (const ConnectFailureRow& row : kConnectFailures) {
    SCOPED_TRACE(row.name);
    grbl = std::make_unique<FakeGrbl>();
    const std::string port = Filled(row.port, {{"{dir}", Path("")}, {"{pty}", grbl->Path()}});
    const int held = row.held ? ::open(port.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
    if (held >= 0) ::flock(held, LOCK_EX);
    SessionListener quiet;
    MachineSession session(&quiet);
    try {
      ConnectOptions options;
      options.port = port;
      options.baud = row.baud;
      session.ConnectAndWait(options);
      ADD_FAILURE() << "connected";
    } catch (const ConnectError& e) {
      EXPECT_EQ(e.what(), Filled(row.english, {{"{}", port}}));
      EXPECT_EQ(e.Failure().kind, row.kind);
    }
    const bool network = port.rfind("tcp://", 0) == 0;
    fake->errors.clear();
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<ConnectDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      (network ? dialog->rbNetwork : dialog->rbSerial)->setChecked(true);
      dialog->edtAddress->setText(QString::fromStdString(port));
      dialog->cmbPort->setEditText(QString::fromStdString(port));
      dialog->cmbBaud->setCurrentText(QString::number(row.baud));
      dialog->OkClick();
    });
    form->N57->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fake->errors.isEmpty(); }, kWaitMs));
    EXPECT_EQ(fake->errors[0].toStdString(), Filled(row.russian, {{"{}", port}}));
    EXPECT_TRUE(form->N57->isEnabled());
    if (held >= 0) ::close(held);
  }
}

struct RefusalRow {
  const char* name;
  FakeGrblOptions options;
  std::string program;
  const char* russian;
};

FakeGrblOptions Set(int setting, double value) {
  FakeGrblOptions options;
  options.settings[setting] = value;
  return options;
}

// The checks before a job refuse it in Russian, with the numbers, and send nothing of it.
TEST_F(MachineTest, PreflightRefusalsAreToldInRussian) {
  const RefusalRow rows[] = {
      {"power", Set(30, 255), Raster(2),
       "Наибольшая мощность программы S800 выше предела контроллера $30=255: она будет урезана, "
       "и оттенки пропадут. Запишите программу для S255 или установите $30=800."},
      {"travel", Set(130, 8.5), Raster(2),
       "Программа занимает 10 мм по X, больше хода станка $130=8.5 мм: уменьшите картинку."},
      {"soft limits", Set(20, 1), Raster(2),
       "При мягких границах ($20=1) задание выйдет за ход станка по X: оно доходит от X0 до X10 "
       "мм в координатах станка, а станок ходит от -400 до 0 ($130=400). Сдвиньте рабочий ноль."},
      {"line",
       {},
       "G1 F600 X1" + std::string(80, '0') + "\n",
       "Строка 1 длиной 91 знаков с концом строки длиннее 80, которые читает контроллер: "
       "сократите ее (меньше цифр, без пробелов)."},
  };
  for (const RefusalRow& row : rows) {
    SCOPED_TRACE(row.name);
    ConnectAndWait(row.options);
    fake->errors.clear();
    OfferFile(row.program);
    form->N60->trigger();
    WaitForPlan();
    EXPECT_EQ(fake->errors, QStringList{QString::fromUtf8(row.russian)});
    EXPECT_EQ(grbl->Lines(), (std::vector<std::string>{"$I", "$$"}));
    form->N58->trigger();
  }
}

// Reading and planning a program of two million lines leaves the window's event loop free: a
// zero-interval timer keeps firing, and the sending commands are off until the job starts.
TEST_F(MachineTest, HugeProgramIsPlannedWhileTheWindowStaysResponsive) {
  ConnectAndWait(Fake(1));
  std::string program = "G21\nG90\nM4 S0\nG1 F6000\n";
  program.reserve(program.size() + 2'000'000 * 12);
  for (int i = 0; i < 1'000'000; ++i) program += "G1 X10 S800\nG1 X0 S800\n";
  OfferFile(program, "huge.nc");
  // Triggered from the event loop, as a click is: the command's own time counts too.
  QString message;
  bool sendingOff = false;
  QTimer::singleShot(0, [&] {
    form->N60->trigger();
    message = form->stat1->currentMessage();
    sendingOff = !form->N60->isEnabled() && !form->N59->isEnabled();
  });
  LoopWatch watch;
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->pnlMachine->btnStop->isEnabled(); }, 6 * kWaitMs));
  watch.tick.stop();
  EXPECT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_LT(watch.longest, 50);
  EXPECT_GT(watch.clock.elapsed(), 100);  // the planning took long enough to tell
  EXPECT_EQ(message, PlanningText());
  EXPECT_TRUE(sendingOff);
  form->pnlMachine->btnStop->click();
  ASSERT_TRUE(WaitForJobEnd());
}

}  // namespace
}  // namespace skelda::testing
