// Jobs on the connected machine: the picture's program, a program file or the frame streamed,
// their progress in the machine panel, pause, stop, and what a fault leaves to resume from.
#include <QAction>
#include <QFutureWatcher>
#include <QStatusBar>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "core/errors.h"
#include "core/file_bytes.h"
#include "gcode/frame_program.h"
#include "gcode/gcode_command.h"
#include "machine/grbl_codes.h"
#include "machine/preflight.h"
#include "simulation/program_file.h"
#include "ui/busy_cursor.h"
#include "ui/machine_link.h"
#include "ui/machine_panel.h"
#include "ui/machine_texts.h"
#include "ui/main_window.h"

namespace skelda {
namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// The core's reader, in pieces: one read of a whole large program through QFile, even on
// another thread, held the window's event loop up for tens of milliseconds.
std::string ProgramText(const QString& file) {
  return ReadProgramText(FileNameText(file));
}

int Percent(const JobProgress& p) {
  return int(std::lround(100 * p.Fraction()));
}

// What the user reads after the controller or the link ended a job.
QString FaultText(const JobReport& r, int resumeRow) {
  QString text = TForm1::tr("Связь со станком потеряна.");
  // The controller's codes have their meanings in both languages.
  const bool russian = CurrentLanguage() == WindowLanguage::Russian;
  if (r.end != JobEnd::Lost)
    text = TForm1::tr("Станок остановил задание: %1 %2 — %3.")
               .arg(r.alarm ? TForm1::tr("тревога") : TForm1::tr("код"))
               .arg(r.code)
               .arg(Text(r.alarm ? grbl::AlarmMeaning(r.code, russian)
                                 : grbl::ErrorMeaning(r.code, russian)));
  if (r.fileLine > 0)
    text += TForm1::tr("\nСтрока %1 файла: %2").arg(r.fileLine).arg(Text(r.lineText));
  if (r.inBuffer > 0)
    text += TForm1::tr("\nСтроки в буфере станка (%1) могли выполниться.").arg(r.inBuffer);
  if (resumeRow > 0)
    text += TForm1::tr("\n«Отправить на станок» продолжит с строки %1.").arg(resumeRow);
  return text;
}

}  // namespace

void TForm1::N59Click() {
  RunCommand([this] {
    if (resume_ && !resume_->file.isEmpty() &&
        dialogs_->ConfirmYesNo(this, tr("Продолжить с строки %1?").arg(resume_->row))) {
      const Resume resume = *resume_;
      const MotionSettings motion = link_->Session().Info().Motion();
      PlanThenStart(
          [resume, motion] { return ResumeFromRow(ProgramText(resume.file), resume.row, motion); },
          resume.file);
      return;
    }
    std::int64_t elapsed = 0;
    std::uint64_t count = 0;
    bool lineMode = false;
    if (const std::optional<QString> name = WritePictureProgram(elapsed, count, lineMode))
      SendProgramFile(*name + QStringLiteral(".nc"));
  });
}

void TForm1::N60Click() {
  RunCommand([this] {
    if (const std::optional<QString> file = dialogs_->OpenProgram(this)) SendProgramFile(*file);
  });
}

void TForm1::N61Click() {
  RunCommand([this] {
    const auto frame = AskFrame();
    if (!frame) return;
    const FrameProgram program(ws_.ShownBitmap.Width(), ws_.ShownBitmap.Height(), frame->first,
                               frame->second);
    const MotionSettings motion = link_->Session().Info().Motion();
    PlanThenStart([text = program.Text(), motion] { return PlanJob(text, motion); }, QString());
  });
}

void TForm1::SendProgramFile(const QString& file) {
  const MotionSettings motion = link_->Session().Info().Motion();
  PlanThenStart([file, motion] { return PlanJob(ProgramText(file), motion); }, file);
}

namespace {

// A plan, or what stopped it, handed from the planning thread to the window's.
struct Planned {
  std::optional<JobPlan> plan;
  std::exception_ptr error;
};

}  // namespace

void TForm1::PlanThenStart(std::function<JobPlan()> plan, const QString& file) {
  planning_ = true;
  UpdateActions();
  stat1->showMessage(PlanningText());
  auto busy = std::make_shared<BusyCursor>();
  auto* watcher = new QFutureWatcher<Planned>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, file, busy]() mutable {
    busy.reset();
    watcher->deleteLater();
    planning_ = false;
    stat1->clearMessage();
    Planned planned = watcher->future().takeResult();
    RunCommand([&] {
      if (planned.error) std::rethrow_exception(planned.error);
      StartJob(std::move(*planned.plan), file);
    });
    UpdateActions();
  });
  watcher->setFuture(QtConcurrent::run([plan = std::move(plan)]() -> Planned {
    try {
      return {plan(), nullptr};
    } catch (...) {
      return {std::nullopt, std::current_exception()};
    }
  }));
}

// The checks run here as well as in the session, so that a refusal is told before anything
// starts, in the command's own error box.
void TForm1::StartJob(JobPlan plan, const QString& file) {
  if (link_ == nullptr || !connected_) return;
  if (const std::optional<JobRefusal> refusal = PreflightRefusal(link_->Session().Info(), plan))
    throw Error(RefusalMessage(*refusal).toStdString());
  const int rows = plan.rows;
  link_->Session().StartJob(std::move(plan));
  jobRunning_ = true;
  held_ = jobLost_ = false;
  jobFile_ = file;
  resume_.reset();
  pnlMachine->ShowResumeRow(std::nullopt);
  pnlMachine->ShowProgress(0, 0, rows, 0, 0);
  pnlMachine->ShowJob(true, false);
  stat1->showMessage(tr("Задание отправлено на станок"));
  UpdateActions();
}

void TForm1::OnProgress(const JobProgress& p) {
  if (!jobRunning_ || p.checking) return;
  pnlMachine->ShowProgress(Percent(p), p.row, p.rows, p.elapsed, p.remaining);
}

void TForm1::OnHeld(bool held) {
  held_ = held;
  if (jobRunning_) pnlMachine->ShowJob(true, held);
}

void TForm1::PauseClick() {
  RunOnMachine([this](MachineSession& m) { held_ ? m.Resume() : m.Pause(); });
}

void TForm1::StopClick() {
  RunOnMachine([](MachineSession& m) { m.Stop(); });
}

void TForm1::OnJobEnded(const JobReport& r) {
  jobRunning_ = held_ = false;
  const bool lost = jobLost_ || r.end == JobEnd::Lost;
  jobLost_ = false;
  pnlMachine->ShowJob(false, false);
  if (r.end == JobEnd::Finished) {
    const JobProgress& p = r.progress;
    pnlMachine->ShowProgress(100, p.rows, p.rows, p.elapsed, 0);
    stat1->showMessage(tr("Задание выполнено: строк %1, время %2 (по плану %3)")
                           .arg(p.linesAcknowledged)
                           .arg(Text(ClockText(p.elapsed)), Text(ClockText(p.planned))));
  } else if (r.end != JobEnd::Refused && !jobFile_.isEmpty()) {
    resume_ = Resume{jobFile_, std::max(r.resumeRow, 1)};
    pnlMachine->ShowResumeRow(resume_->row);
  }
  UpdateActions();
  if (r.end == JobEnd::Refused)
    dialogs_->Error(this, r.refusal ? RefusalMessage(*r.refusal) : Text(ErrorBoxText(r.message)));
  if (r.end == JobEnd::Stopped)
    stat1->showMessage(tr("Задание остановлено на строке %1").arg(r.row));
  if (r.end == JobEnd::Halted || lost) {
    stat1->showMessage(tr("Задание прервано на строке %1").arg(r.row));
    if (lost) DropLink();
    dialogs_->Error(this, FaultText(r, resume_ ? resume_->row : 0));
  }
  if (closeAfterStop_) close();
}

}  // namespace skelda
