#include "ui/machine_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "simulation/program_file.h"
#include "ui/window_texts.h"

namespace skelda {
namespace {

constexpr int kPanelWidth = 186;
constexpr int kJogSide = 28;

template <class Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

QPushButton* Button(const char* name) {
  auto* button = Named(new QPushButton(MachineButtonCaption(name)), name);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QPushButton* JogButton(const char* name) {
  QPushButton* button = Button(name);
  button->setFixedSize(kJogSide, kJogSide);
  return button;
}

QLabel* Heading(const QString& text) {
  auto* label = new QLabel(text);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  for (QWidget* w : widgets) row->addWidget(w);
  return row;
}

QLabel* WindowLabel(const char* source) {
  auto* label = new QLabel;
  SetWindowText(*label, source);
  return label;
}

QString Clock(double seconds) {
  return QString::fromStdString(ClockText(seconds));
}

}  // namespace

MachinePanel::MachinePanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("pnlMachine"));
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setFixedWidth(kPanelWidth);

  lblMachineState = Named(Heading(QString()), "lblMachineState");
  lblMachinePos = Named(new QLabel, "lblMachinePos");
  btnJogXMinus = JogButton("btnJogXMinus");
  btnJogXPlus = JogButton("btnJogXPlus");
  btnJogYMinus = JogButton("btnJogYMinus");
  btnJogYPlus = JogButton("btnJogYPlus");
  btnJogCancel = JogButton("btnJogCancel");
  cmbJogStep = Named(new QComboBox, "cmbJogStep");
  for (const char* step : {"0.1", "1", "10"}) cmbJogStep->addItem(QLatin1String(step));
  cmbJogStep->setCurrentIndex(1);
  edtJogFeed = Named(new QLineEdit(QStringLiteral("1000")), "edtJogFeed");
  prgJob = Named(new QProgressBar, "prgJob");
  prgJob->setRange(0, 100);
  prgJob->setValue(0);
  lblJobRow = Named(new QLabel, "lblJobRow");
  lblJobTime = Named(new QLabel, "lblJobTime");
  btnPause = Button("btnPause");
  btnStop = Button("btnStop");
  lblFeedOverride = Named(new QLabel, "lblFeedOverride");
  btnFeedMinus = Button("btnFeedMinus");
  btnFeed100 = Button("btnFeed100");
  btnFeedPlus = Button("btnFeedPlus");
  lblPowerOverride = Named(new QLabel, "lblPowerOverride");
  btnPowerMinus = Button("btnPowerMinus");
  btnPower100 = Button("btnPower100");
  btnPowerPlus = Button("btnPowerPlus");
  lblResumeRow = Named(new QLabel, "lblResumeRow");
  lblResumeRow->setWordWrap(true);

  // The jog cross, its step and feed beside it: the panel must fit the picture area's height.
  auto* jog = new QGridLayout;
  jog->setSpacing(2);
  jog->addWidget(btnJogYPlus, 0, 1);
  jog->addWidget(btnJogXMinus, 1, 0);
  jog->addWidget(btnJogCancel, 1, 1);
  jog->addWidget(btnJogXPlus, 1, 2);
  jog->addWidget(btnJogYMinus, 2, 1);
  auto* step = new QVBoxLayout;
  step->setSpacing(1);
  step->addWidget(WindowLabel(QT_TRANSLATE_NOOP("Window", "Шаг, мм:")));
  step->addWidget(cmbJogStep);
  step->addWidget(WindowLabel(QT_TRANSLATE_NOOP("Window", "F, мм/мин:")));
  step->addWidget(edtJogFeed);
  auto* jogRow = new QHBoxLayout;
  jogRow->addLayout(jog);
  jogRow->addSpacing(4);
  jogRow->addLayout(step);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(3);
  column->addWidget(lblMachineState);
  column->addWidget(lblMachinePos);
  column->addSpacing(4);
  column->addLayout(jogRow);
  column->addSpacing(4);
  QLabel* job = Heading(QString());
  SetWindowText(*job, QT_TRANSLATE_NOOP("Window", "Задание"));
  column->addWidget(job);
  column->addWidget(prgJob);
  column->addWidget(lblJobRow);
  column->addWidget(lblJobTime);
  column->addLayout(Row({btnPause, btnStop}));
  column->addWidget(lblFeedOverride);
  column->addLayout(Row({btnFeedMinus, btnFeed100, btnFeedPlus}));
  column->addWidget(lblPowerOverride);
  column->addLayout(Row({btnPowerMinus, btnPower100, btnPowerPlus}));
  column->addWidget(lblResumeRow);
  column->addStretch();

  ShowState(QString());
  ShowPosition(0, 0);
  ShowOverrides(100, 100);
  ShowJob(false, false);
  ShowResumeRow(std::nullopt);
}

void MachinePanel::ShowState(const QString& state) {
  shown_.state = state;
  lblMachineState->setText(tr("Станок: ") + state);
}

void MachinePanel::ShowPosition(double x, double y) {
  lblMachinePos->setText(QStringLiteral("X %1   Y %2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3));
}

void MachinePanel::ShowOverrides(int feed, int power) {
  shown_.feed = feed;
  shown_.power = power;
  lblFeedOverride->setText(tr("Подача: %1 %").arg(feed));
  lblPowerOverride->setText(tr("Мощность: %1 %").arg(power));
}

void MachinePanel::ShowProgress(int percent, long row, long rows, double elapsed,
                                double remaining) {
  shown_.row = row;
  shown_.rows = rows;
  shown_.elapsed = elapsed;
  shown_.remaining = remaining;
  prgJob->setValue(percent);
  lblJobRow->setText(tr("Строка %1 из %2").arg(row).arg(rows));
  lblJobTime->setText(tr("Прошло: %1\nОсталось: %2").arg(Clock(elapsed), Clock(remaining)));
}

void MachinePanel::ShowJob(bool running, bool paused) {
  shown_.running = running;
  shown_.paused = paused;
  btnPause->setText(paused ? tr("Продолжить") : MachineButtonCaption("btnPause"));
  for (QWidget* w : {btnPause, btnStop, btnFeedMinus, btnFeed100, btnFeedPlus, btnPowerMinus,
                     btnPower100, btnPowerPlus})
    w->setEnabled(running);
  for (QWidget* w :
       std::initializer_list<QWidget*>{btnJogXMinus, btnJogXPlus, btnJogYMinus, btnJogYPlus,
                                       btnJogCancel, cmbJogStep, edtJogFeed})
    w->setEnabled(!running);
}

void MachinePanel::ShowResumeRow(std::optional<long> row) {
  shown_.resumeRow = row;
  lblResumeRow->setVisible(row.has_value());
  if (row) lblResumeRow->setText(tr("Продолжить можно с строки %1").arg(*row));
}

void MachinePanel::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) ShowTexts();
}

// The state's text is the window's; the next status report brings it in the new language.
void MachinePanel::ShowTexts() {
  ShowWindowTextsAgain(*this);
  for (QPushButton* button : findChildren<QPushButton*>())
    button->setText(MachineButtonCaption(button->objectName().toLatin1().constData()));
  const Shown s = shown_;
  ShowState(s.state);
  ShowOverrides(s.feed, s.power);
  ShowProgress(prgJob->value(), s.row, s.rows, s.elapsed, s.remaining);
  ShowJob(s.running, s.paused);
  ShowResumeRow(s.resumeRow);
}

double MachinePanel::JogStep() const {
  return cmbJogStep->currentText().toDouble();
}

QString MachinePanel::JogFeedText() const {
  return edtJogFeed->text();
}

}  // namespace skelda
