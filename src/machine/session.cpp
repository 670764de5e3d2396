#include "machine/session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "machine/character_counter.h"
#include "machine/job_log.h"
#include "machine/preflight.h"
#include "machine/safe_stop.h"

namespace skelda {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr auto kStatusEvery = milliseconds(200);
constexpr auto kStatusSilence = milliseconds(3000);  // then the controller is gone
constexpr auto kHoldWait = milliseconds(5000);
constexpr auto kWelcomeWait = milliseconds(3000);
constexpr auto kAnswerWait = milliseconds(3000);
constexpr auto kProgressEvery = milliseconds(100);
constexpr int kReadSliceMs = 10;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// A job being sent; declared outside the session so that Clang lets it use the member defaults.
struct Job {
  JobPlan plan;
  bool checkFirst = false;
  bool checking = false;
  std::size_t next = 0;  // the next line to send
  std::size_t acknowledged = 0;
  long lastAcknowledged = -1;
  // lastAcknowledged when the planner's free blocks were last told
  std::optional<long> acknowledgedAtStatus;
  Clock::time_point began, lastAck;
  bool stopWanted = false;
  bool ending = false;  // halted: the answers still coming are only counted
  std::optional<JobReport> halt;
  bool held = false, holdWanted = false;
  std::optional<JobReport> checkFailure;
  Clock::time_point lastProgress;
};

}  // namespace

struct MachineSession::Impl {
  // A line in the controller's receive buffer, waiting for its ok or error.
  struct InFlight {
    long index;  // in the job's plan; -1 for a line sent outside the job
  };

  SessionListener* listener;
  std::thread thread;
  mutable std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::function<void()>> requests;
  std::atomic<bool> quit{false};
  std::atomic<bool> connected{false};
  std::atomic<bool> jobRunning{false};
  ControllerInfo shared;  // a copy of info for other threads, under mutex
  bool connectEnded = false;
  std::optional<ConnectFailure> connectFailure;
  bool connectFailedOnOpen = false;
  std::optional<JobReport> finished;

  // Owned by the session's thread.
  std::unique_ptr<Transport> link;
  std::unique_ptr<JobLog> log;
  ConnectOptions options;
  ControllerInfo info;
  std::string received;
  CharacterCounter counter{grbl::kDefaultReceiveBuffer};
  std::deque<InFlight> inFlight;
  bool statusPending = false;
  Clock::time_point statusSentAt, lastStatusAt;
  bool polling = false;
  int welcomes = 0;
  std::optional<Reply> lastAnswer;  // the last ok or error to a line sent outside the job
  std::optional<int> alarm;
  bool resetting = false;  // a welcome is expected: our own reset
  std::optional<Job> job;

  explicit Impl(SessionListener* l) : listener(l) {}

  // ---- the link ----

  void Write(const std::string& line) {
    if (log) log->Sent(line);
    const std::string bytes = line + "\n";
    link->Write(bytes.data(), bytes.size());
  }

  void WriteRealtime(grbl::Realtime r) {
    const auto byte = static_cast<unsigned char>(r);
    if (log) log->Realtime(byte);
    link->Write(&byte, 1);
  }

  // A line outside the job: counted too, so the job's counting starts from the truth.
  void SendForeign(const std::string& line) {
    Write(line);
    counter.Sent(line.size() + 1);
    inFlight.push_back({-1});
  }

  void ShareInfo() {
    std::lock_guard lock(mutex);
    shared = info;
  }

  // Reads for up to `ms` and handles every complete line; asks for status when it is due.
  void Step(int ms) {
    const auto now = Clock::now();
    if (polling) {
      if (statusPending && now - statusSentAt > kStatusSilence) {
        throw LinkError("no answer from " + options.port + " for 3 s");
      }
      if (!statusPending && now - statusSentAt >= kStatusEvery) {
        WriteRealtime(grbl::Realtime::Status);
        statusPending = true;
        statusSentAt = now;
      }
    }
    char buffer[4096];
    const std::size_t n = link->Read(buffer, sizeof buffer, ms);
    received.append(buffer, n);
    std::size_t start = 0;
    for (std::size_t end; (end = received.find('\n', start)) != std::string::npos;
         start = end + 1) {
      std::string_view line(received.data() + start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (!line.empty()) Handle(line);
    }
    received.erase(0, start);
    if (received.size() > 4096) received.clear();  // no line is that long: noise
  }

  bool WaitFor(const std::function<bool()>& done, Clock::duration limit) {
    const auto deadline = Clock::now() + limit;
    while (!done()) {
      if (Clock::now() >= deadline) return false;
      Step(kReadSliceMs);
    }
    return true;
  }

  // ---- replies ----

  void Handle(std::string_view line) {
    if (log) log->Received(line);
    const Reply reply = ParseReply(line);
    switch (reply.kind) {
      case Reply::Kind::Ok:
      case Reply::Kind::Error:
        Answered(reply, line);
        break;
      case Reply::Kind::Alarm:
        alarm = reply.code;
        info.status.state = grbl::State::Alarm;
        if (job && !job->ending) {
          Halt(reply, line);
        } else {
          listener->OnMessage(std::string(line) + " (" + grbl::AlarmMeaning(reply.code) + ")");
        }
        break;
      case Reply::Kind::Status:
        OnStatus(reply.status);
        break;
      case Reply::Kind::Welcome:
        // A reset empties the controller's buffers: nothing sent before it will be answered.
        ++welcomes;
        info.welcome = reply.text;
        counter.Clear();
        inFlight.clear();
        statusPending = false;
        if (job && !resetting) {
          // The controller restarted by itself (its reset button, a power dip): what it
          // had is gone and the position with it.
          JobReport r = Report(JobEnd::Lost);
          r.inBuffer = 0;
          r.resumeRow = ResumeRow();  // its planner was emptied too
          r.cause = "the controller reset itself during the job";
          End(r);
        }
        break;
      case Reply::Kind::Option:
        info.options = reply.text;
        if (reply.receiveBuffer > 0) info.receiveBuffer = reply.receiveBuffer;
        if (reply.plannerBlocks > 0) info.plannerBlocks = reply.plannerBlocks;
        break;
      case Reply::Kind::Version:
        info.version = reply.text;
        break;
      case Reply::Kind::Setting:
        info.settings[reply.code] = reply.value;
        break;
      default:
        listener->OnMessage(std::string(line));
        break;
    }
  }

  void OnStatus(const StatusReport& status) {
    statusPending = false;
    lastStatusAt = Clock::now();
    info.status = status;
    if (status.workOffset) info.workOffset = status.workOffset;
    ShareInfo();
    listener->OnStatus(status);
    if (!job) return;
    if (status.plannerFree) job->acknowledgedAtStatus = job->lastAcknowledged;
    // In laser mode the controller turns the beam off at a hold: a pause is held once the
    // machine stands and the report shows no power.
    const bool standing = status.state == grbl::State::Hold && status.subState == 0 &&
                          (!status.power || *status.power == 0);
    if (job->holdWanted && !job->held && standing) {
      job->held = true;
      listener->OnHeld(true);
    }
    Progress(true);
  }

  void Answered(const Reply& reply, std::string_view line) {
    if (inFlight.empty()) {
      listener->OnMessage(std::string(line));
      return;
    }
    const InFlight entry = inFlight.front();
    inFlight.pop_front();
    counter.Answered();
    if (entry.index < 0 || !job || job->ending) {
      lastAnswer = reply;
      if (reply.kind == Reply::Kind::Error) {
        listener->OnMessage(std::string(line) + " (" + grbl::ErrorMeaning(reply.code) + ")");
      }
      return;
    }
    if (reply.kind == Reply::Kind::Error) {
      if (!job->checking) return Halt(reply, line, std::size_t(entry.index));
      if (!job->checkFailure) {
        job->checkFailure = Report(JobEnd::Refused, std::size_t(entry.index));
        job->checkFailure->code = reply.code;
        job->checkFailure->meaning = grbl::ErrorMeaning(reply.code);
      }
    }
    ++job->acknowledged;
    job->lastAcknowledged = entry.index;
    job->lastAck = Clock::now();
    Progress(false);
  }

  // ---- the job ----

  JobProgress ProgressNow() const {
    JobProgress p;
    p.lines = job->plan.lines.size();
    p.linesSent = job->next;
    p.linesAcknowledged = job->acknowledged;
    p.rows = job->plan.rows;
    p.planned = job->plan.seconds;
    p.elapsed = Seconds(Clock::now() - job->began);
    p.held = job->held;
    p.checking = job->checking;
    if (job->lastAcknowledged >= 0) {
      const auto& lines = job->plan.lines;
      // What the controller has carried out: the lines acknowledged less those still queued
      // in its planner.
      const long done = job->lastAcknowledged - Waiting(0);
      p.row = lines[std::size_t(std::clamp(done + 1, 0L, job->lastAcknowledged))].row;
      p.remaining = job->plan.seconds - (done >= 0 ? lines[std::size_t(done)].finish : 0);
    } else {
      p.remaining = job->plan.seconds;
    }
    if (p.remaining < 0) p.remaining = 0;
    return p;
  }

  void Progress(bool force) {
    const auto now = Clock::now();
    if (!force && now - job->lastProgress < kProgressEvery) return;
    job->lastProgress = now;
    listener->OnProgress(ProgressNow());
  }

  JobReport Report(JobEnd end, std::optional<std::size_t> about = std::nullopt) const {
    JobReport r;
    r.end = end;
    r.progress = ProgressNow();
    const long index = about ? long(*about) : job->lastAcknowledged;
    if (index >= 0) {
      const JobLine& l = job->plan.lines[std::size_t(index)];
      r.fileLine = l.fileLine;
      r.row = l.row;
      r.lineText = l.text;
    }
    r.resumeRow = end == JobEnd::Lost ? std::max(r.row, 1) : ResumeRow();
    r.inBuffer = inFlight.size();
    return r;
  }

  // The lines acknowledged that may still wait in the controller's planner: as the last status
  // told, with every line acknowledged since taken as waiting too; `unknown` without a status.
  long Waiting(long unknown) const {
    if (!info.status.plannerFree || !job->acknowledgedAtStatus) return unknown;
    const long told = std::max(0, info.plannerBlocks - *info.status.plannerFree);
    return std::min<long>(told + job->lastAcknowledged - *job->acknowledgedAtStatus,
                          info.plannerBlocks);
  }

  // After a reset, which empties the planner; without a status the planner is taken as full.
  // (A controller that loses its link runs on through what it holds.)
  int ResumeRow() const {
    if (job->lastAcknowledged < 0) return 0;
    const auto& lines = job->plan.lines;
    const long oldest = std::min<long>(job->lastAcknowledged - Waiting(info.plannerBlocks) + 1,
                                       long(lines.size()) - 1);
    return std::max(lines[std::size_t(std::max(oldest, 0L))].row, 1);
  }

  void Send() {
    if (job->ending) return;
    std::string batch;
    const auto& lines = job->plan.lines;
    while (job->next < lines.size() && counter.Fits(lines[job->next].text.size() + 1)) {
      const std::string& text = lines[job->next].text;
      if (log) log->Sent(text);
      batch += text;
      batch += '\n';
      counter.Sent(text.size() + 1);
      inFlight.push_back({long(job->next)});
      ++job->next;
    }
    if (!batch.empty()) link->Write(batch.data(), batch.size());
  }

  // Feed hold, wait for the machine to stand (at most 5 s), soft reset, welcome, laser off.
  void StopSequence() {
    if (log) log->Note("stop sequence");
    WriteRealtime(grbl::Realtime::FeedHold);
    const auto asked = Clock::now();
    WaitFor(
        [&] {
          const auto& s = info.status;
          const bool fresh = lastStatusAt > asked;
          return fresh && ((s.state == grbl::State::Hold && s.subState == 0) ||
                           s.state == grbl::State::Idle || s.state == grbl::State::Alarm ||
                           s.state == grbl::State::Check);
        },
        kHoldWait);
    const int before = welcomes;
    resetting = true;
    WriteRealtime(grbl::Realtime::Reset);
    WaitFor([&] { return welcomes > before; }, kWelcomeWait);
    resetting = false;
    counter.Clear();
    inFlight.clear();
    statusPending = false;
    if (info.status.state != grbl::State::Alarm) SendForeign("M5");
  }

  void End(JobReport report) {
    job.reset();
    Publish(std::move(report));
  }

  void Publish(JobReport report) {
    if (report.message.empty()) report.message = JobReportText(report);
    if (log) log->Note(report.message);
    jobRunning = false;
    listener->OnJobEnded(report);
    std::lock_guard lock(mutex);
    finished = report;
    changed.notify_all();
  }

  // Marks the job halted; the stop sequence runs from Pump, never inside a reply's handling.
  void Halt(const Reply& reply, std::string_view, std::optional<std::size_t> index = std::nullopt) {
    JobReport r = Report(JobEnd::Halted, index);
    r.code = reply.code;
    r.alarm = reply.kind == Reply::Kind::Alarm;
    r.meaning = r.alarm ? grbl::AlarmMeaning(reply.code) : grbl::ErrorMeaning(reply.code);
    // Nothing more goes; what the controller holds may still run until the hold.
    job->ending = true;
    job->halt = r;
  }

  // Check mode: parsed, nothing moves. Leaving it resets the controller.
  bool CheckMode(bool on) {
    const int before = welcomes;
    SendForeign("$C");
    if (on) return WaitFor([&] { return inFlight.empty(); }, kAnswerWait);
    resetting = true;
    const bool welcomed = WaitFor([&] { return welcomes > before; }, kWelcomeWait + kAnswerWait);
    resetting = false;
    return welcomed;
  }

  void Begin(JobPlan plan, bool checkFirst) {
    if (job) return;
    // What was asked before (homing, unlocking) must be done and the status fresh.
    WaitFor([&] { return inFlight.empty(); }, std::chrono::minutes(3));
    const auto asked = Clock::now();
    WaitFor([&] { return lastStatusAt > asked; }, kAnswerWait);
    job.emplace();
    job->plan = std::move(plan);
    job->began = job->lastProgress = Clock::now();
    jobRunning = true;
    if (const auto refusal = PreflightRefusal(info, job->plan)) {
      JobReport r = Report(JobEnd::Refused);
      r.message = RefusalText(*refusal);
      r.refusal = refusal;
      return End(r);
    }
    job->checking = checkFirst;
    if (checkFirst && !CheckMode(true)) throw LinkError("no answer to $C from " + options.port);
  }

  // One turn of the job: send, see whether it ended.
  void Pump() {
    if (job->halt) {
      const JobReport r = *job->halt;
      StopSequence();
      return End(r);
    }
    if (job->stopWanted || SafeStopRequested()) {
      JobReport r = Report(JobEnd::Stopped);
      job->ending = true;
      StopSequence();
      ClearSafeStop();
      return End(r);
    }
    Send();
    if (!job || job->acknowledged < job->plan.lines.size()) return;
    if (job->checking) {
      auto failure = job->checkFailure;
      if (!CheckMode(false))
        throw LinkError("no welcome after leaving check mode on " + options.port);
      if (failure) return End(*failure);
      // The real pass: its own time, against the time planned.
      JobPlan plan = std::move(job->plan);
      job.emplace();
      job->plan = std::move(plan);
      job->began = job->lastProgress = Clock::now();
      return;
    }
    // Every line answered; the job is done when the machine stands idle after the last one.
    if (info.status.state == grbl::State::Idle && lastStatusAt > job->lastAck + kStatusEvery / 4 &&
        !statusPending) {
      JobReport r = Report(JobEnd::Finished);
      r.inBuffer = 0;
      End(r);
    }
  }

  // ---- connecting ----

  void Handshake() {
    if (!WaitFor([&] { return welcomes > 0; }, milliseconds(options.welcomeWaitMs))) {
      WriteRealtime(grbl::Realtime::Reset);
      if (!WaitFor([&] { return welcomes > 0; }, milliseconds(options.welcomeWaitMs))) {
        throw ConnectError({ConnectFailureKind::NoWelcome, options.port, {}});
      }
    }
    for (const char* ask : {"$I", "$$"}) {
      SendForeign(ask);
      if (!WaitFor([&] { return inFlight.empty(); }, kAnswerWait)) {
        throw ConnectError({ConnectFailureKind::NoAnswer, options.port, ask});
      }
    }
    counter = CharacterCounter(std::size_t(info.receiveBuffer));
    counter.SetOneLineAtATime(options.sendAndWait);
    polling = true;
    statusSentAt = Clock::now() - kStatusEvery;
    if (!WaitFor([&] { return lastStatusAt.time_since_epoch().count() != 0; }, kAnswerWait)) {
      throw ConnectError({ConnectFailureKind::NoStatus, options.port, {}});
    }
  }

  void ConnectEnd(const std::optional<ConnectFailure>& failure) {
    {
      std::lock_guard lock(mutex);
      connectEnded = true;
      connectFailure = failure;
      shared = info;
    }
    changed.notify_all();
    if (failure) {
      listener->OnConnectFailed(*failure);
    } else {
      listener->OnConnected(info);
    }
  }

  void Run(std::unique_ptr<Transport> given) {
    try {
      if (!options.logPath.empty()) log = std::make_unique<JobLog>(options.logPath);
      link = given ? std::move(given) : OpenTransport(options.port, options.baud);
      SetCrashDescriptor(link->Descriptor());
      if (log) log->Note("connected to " + options.port);
      Handshake();
    } catch (const PortOpenError& e) {
      connectFailedOnOpen = true;
      Close();
      return ConnectEnd(e.Failure());
    } catch (const ConnectError& e) {
      Close();
      return ConnectEnd(e.Failure());
    } catch (const LinkError& e) {
      Close();
      return ConnectEnd(ConnectFailure{ConnectFailureKind::LinkLost, options.port, e.what()});
    } catch (const std::exception& e) {
      Close();
      return ConnectEnd(ConnectFailure{ConnectFailureKind::Other, options.port, e.what()});
    }
    connected = true;
    ConnectEnd(std::nullopt);
    try {
      while (!quit) {
        Step(kReadSliceMs);
        for (auto request = Next(); request; request = Next()) request();
        if (job) Pump();
      }
      if (job) {
        JobReport r = Report(JobEnd::Stopped);
        job->ending = true;
        StopSequence();
        End(r);
      }
    } catch (const std::exception& e) {
      // A job's report names the cause itself, with the row to resume from.
      if (log && !job && !jobRunning) log->Note(e.what());
      if (job) {
        JobReport r = Report(JobEnd::Lost);
        r.cause = e.what();
        End(r);
      }
      listener->OnConnectionLost(e.what());
      if (jobRunning) {
        // A job asked for but not yet begun.
        JobReport r;
        r.end = JobEnd::Lost;
        r.cause = e.what();
        Publish(r);
      }
    }
    Close();
  }

  std::function<void()> Next() {
    std::lock_guard lock(mutex);
    if (requests.empty()) return nullptr;
    auto r = std::move(requests.front());
    requests.pop_front();
    return r;
  }

  void Close() {
    SetCrashDescriptor(-1);
    if (link) link->Close();
    connected = false;
    polling = false;
  }

  void Post(std::function<void()> request) {
    std::lock_guard lock(mutex);
    requests.push_back(std::move(request));
  }
};

MachineSession::MachineSession(SessionListener* listener)
    : impl_(std::make_unique<Impl>(listener)) {}

MachineSession::~MachineSession() {
  Disconnect();
}

void MachineSession::Connect(const ConnectOptions& options) {
  Connect(nullptr, options);
}

void MachineSession::Connect(std::unique_ptr<Transport> transport, const ConnectOptions& options) {
  Disconnect();
  impl_->quit = false;
  impl_->options = options;
  impl_->connectEnded = false;
  impl_->connectFailedOnOpen = false;
  impl_->info = ControllerInfo();
  impl_->info.port = options.port;
  if (!IsNetworkPort(options.port)) impl_->info.baud = options.baud;
  impl_->thread =
      std::thread([this, t = std::move(transport)]() mutable { impl_->Run(std::move(t)); });
}

ControllerInfo MachineSession::ConnectAndWait(const ConnectOptions& options) {
  Connect(options);
  std::unique_lock lock(impl_->mutex);
  impl_->changed.wait(lock, [&] { return impl_->connectEnded; });
  if (const auto& failure = impl_->connectFailure) {
    if (impl_->connectFailedOnOpen) throw PortOpenError(*failure);
    throw ConnectError(*failure);
  }
  return impl_->shared;
}

void MachineSession::StartJob(JobPlan plan, bool checkFirst) {
  {
    std::lock_guard lock(impl_->mutex);
    impl_->finished.reset();
  }
  if (!impl_->connected) {
    JobReport r;
    r.end = JobEnd::Lost;
    r.cause = "not connected";
    impl_->Publish(r);
    return;
  }
  impl_->jobRunning = true;
  auto shared = std::make_shared<JobPlan>(std::move(plan));
  impl_->Post([this, shared, checkFirst] { impl_->Begin(std::move(*shared), checkFirst); });
}

JobReport MachineSession::WaitForJob() {
  std::unique_lock lock(impl_->mutex);
  impl_->changed.wait(lock, [&] { return impl_->finished.has_value(); });
  return *impl_->finished;
}

bool MachineSession::JobRunning() const {
  return impl_->jobRunning;
}

void MachineSession::Pause() {
  impl_->Post([i = impl_.get()] {
    i->WriteRealtime(grbl::Realtime::FeedHold);
    if (i->job) i->job->holdWanted = true;
  });
}

void MachineSession::Resume() {
  impl_->Post([i = impl_.get()] {
    i->WriteRealtime(grbl::Realtime::CycleStart);
    if (i->job) {
      const bool was = i->job->held;
      i->job->held = i->job->holdWanted = false;
      if (was) i->listener->OnHeld(false);
    }
  });
}

void MachineSession::Stop() {
  impl_->Post([i = impl_.get()] {
    if (i->job) i->job->stopWanted = true;
  });
}

void MachineSession::FeedOverride(Override change) {
  using grbl::Realtime;
  const Realtime byte = change == Override::Reset    ? Realtime::FeedReset
                        : change == Override::Plus10 ? Realtime::FeedPlus10
                                                     : Realtime::FeedMinus10;
  impl_->Post([i = impl_.get(), byte] { i->WriteRealtime(byte); });
}

void MachineSession::PowerOverride(Override change) {
  using grbl::Realtime;
  const Realtime byte = change == Override::Reset    ? Realtime::PowerReset
                        : change == Override::Plus10 ? Realtime::PowerPlus10
                                                     : Realtime::PowerMinus10;
  impl_->Post([i = impl_.get(), byte] { i->WriteRealtime(byte); });
}

void MachineSession::Jog(double dx, double dy, double feed) {
  char line[96];
  std::snprintf(line, sizeof line, "$J=G91 G21 X%.3f Y%.3f F%.0f", dx, dy, feed);
  SendLine(line);
}

void MachineSession::JogCancel() {
  impl_->Post([i = impl_.get()] { i->WriteRealtime(grbl::Realtime::JogCancel); });
}

void MachineSession::Home() {
  SendLine("$H");
}
void MachineSession::Unlock() {
  SendLine("$X");
}
void MachineSession::ZeroHere() {
  SendLine("G10 L20 P1 X0 Y0");
}

void MachineSession::SendLine(const std::string& line) {
  impl_->Post([i = impl_.get(), line] {
    if (i->job) return;  // a job owns the stream
    // Wait for room as a job line does; the receive buffer must never overflow.
    i->WaitFor([&] { return i->counter.Fits(line.size() + 1); }, kAnswerWait);
    i->SendForeign(line);
  });
}

void MachineSession::Disconnect() {
  impl_->quit = true;
  if (impl_->thread.joinable()) impl_->thread.join();
  std::lock_guard lock(impl_->mutex);
  impl_->requests.clear();
}

bool MachineSession::Connected() const {
  return impl_->connected;
}

ControllerInfo MachineSession::Info() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->shared;
}

double JobProgress::Fraction() const {
  if (planned > 0) return std::clamp((planned - remaining) / planned, 0.0, 1.0);
  return lines == 0 ? 1.0 : double(linesAcknowledged) / double(lines);
}

std::string JobReportText(const JobReport& r) {
  const std::string where =
      r.fileLine ? "line " + std::to_string(r.fileLine) + " (row " + std::to_string(r.row) + ")"
                 : std::string("before the first line");
  const std::string resume = r.resumeRow > 0 ? "; to finish the picture, resume with --from-row " +
                                                   std::to_string(r.resumeRow)
                                             : std::string();
  char times[128];
  std::snprintf(times, sizeof times, "%zu lines sent in %.1f s (planned %.1f s)",
                r.progress.linesSent, r.progress.elapsed, r.progress.planned);
  switch (r.end) {
    case JobEnd::Finished:
      return std::string("job finished: ") + times;
    case JobEnd::Stopped:
      return std::string(r.fileLine ? "stopped after " : "stopped ") + where +
             ", beam off, position kept" + resume;
    case JobEnd::Halted: {
      const std::string code = (r.alarm ? "ALARM:" : "error:") + std::to_string(r.code);
      std::string text = "halted by the controller: " + code + " at " + where;
      if (!r.alarm) text += " \"" + r.lineText + "\"";
      text += ": " + r.meaning;
      text += "; " + std::to_string(r.inBuffer) + (r.inBuffer == 1 ? " line" : " lines") +
              " already in the controller's buffer may have run" + resume;
      return text;
    }
    case JobEnd::Lost:
      return (r.cause.empty() ? std::string("connection lost") : r.cause) +
             "; the last line acknowledged was " + where + resume;
    case JobEnd::Refused:
      if (!r.message.empty()) return r.message;
      return "check mode refused line " + std::to_string(r.fileLine) + " \"" + r.lineText +
             "\": error:" + std::to_string(r.code) + " " + r.meaning +
             "; nothing was sent for real";
  }
  return {};
}

}  // namespace skelda
