// A connection to one controller, run on a thread of its own: it connects (welcome, soft
// reset when none comes, $I, $$), asks for a status report five times a second, streams a job
// by character counting and carries out requests from any thread. What happens is told to a
// listener, called on the session's thread: the window hands the calls to its own thread, the
// command line prints them.
//
// Every way out of a running job (a stop, an error or alarm, SIGINT/SIGTERM/SIGHUP, the
// session destroyed) runs the stop sequence while the port is alive: feed hold, wait for the
// machine to come to rest (Hold:0, at most 5 s), soft reset, wait for the welcome, laser off.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "machine/connect_failure.h"
#include "machine/controller_info.h"
#include "machine/job_plan.h"
#include "machine/preflight.h"
#include "machine/replies.h"
#include "machine/transport.h"

namespace skelda {

class JobLog;

struct ConnectOptions {
  std::string port;  // a device path or tcp://HOST[:PORT]
  int baud = kDefaultBaud;
  int welcomeWaitMs = 3000;
  std::string logPath;  // empty: no log
  // GRBL's simple protocol, a line and then its answer, for controllers that need it.
  bool sendAndWait = false;
};

enum class JobEnd {
  Finished,  // every line acknowledged and the machine idle
  Stopped,   // by the user or a stop signal
  Halted,    // by the controller's error or alarm
  Lost,      // the connection
  Refused,   // the pre-flight checks or the check-mode pass; nothing moved
};

// Where a job got to, with planned times in seconds.
struct JobProgress {
  std::size_t linesSent = 0;
  std::size_t linesAcknowledged = 0;
  std::size_t lines = 0;
  int row = 0;  // of the line the machine runs, as far as its planner's free blocks tell
  int rows = 0;
  double elapsed = 0;     // wall time since the job began
  double remaining = 0;   // planned time of what the controller has not yet carried out
  double planned = 0;     // of the whole job
  bool held = false;      // feed hold complete and the beam off
  bool checking = false;  // the check-mode pass

  // The share done, 0 to 1: by the planned time when there is one, else by the lines answered.
  double Fraction() const;
};

struct JobReport {
  JobEnd end = JobEnd::Finished;
  JobProgress progress;
  // The line the report is about: the one answered with the error, or the last acknowledged
  // (a stop, a lost connection). fileLine 0 when none.
  std::uint64_t fileLine = 0;
  int row = 0;
  // The first row that may not be burnt whole, where a resume starts: after a stop or a halt,
  // the lines acknowledged last may still have been waiting in the planner the reset emptied.
  int resumeRow = 0;
  std::string lineText;
  int code = 0;                       // the error or alarm number
  bool alarm = false;                 // code is an alarm's
  std::string meaning;                // what the code means
  std::size_t inBuffer = 0;           // lines sent but not yet answered, which may have run
  std::string cause;                  // Lost: what happened to the link
  std::optional<JobRefusal> refusal;  // Refused by the pre-flight checks: why
  std::string message;                // the whole report as the user reads it
};

class SessionListener {
 public:
  virtual ~SessionListener() = default;
  // Connect's end: the controller's answers, or why it failed (info then holds what is known).
  virtual void OnConnected(const ControllerInfo& /*info*/) {}
  virtual void OnConnectFailed(const ConnectFailure& /*failure*/) {}
  virtual void OnStatus(const StatusReport& /*status*/) {}
  // A line the controller sent that is not an answer or a status ([MSG:...], ALARM outside a job).
  virtual void OnMessage(const std::string& /*line*/) {}
  virtual void OnProgress(const JobProgress& /*progress*/) {}
  virtual void OnHeld(bool /*held*/) {}
  virtual void OnJobEnded(const JobReport& /*report*/) {}
  // The link failed (outside a job too); the session is disconnected afterwards.
  virtual void OnConnectionLost(const std::string& /*message*/) {}
};

enum class Override { Reset, Plus10, Minus10 };

class MachineSession {
 public:
  explicit MachineSession(SessionListener* listener);
  MachineSession(const MachineSession&) = delete;
  MachineSession& operator=(const MachineSession&) = delete;
  // Stops a running job safely, then disconnects.
  ~MachineSession();

  // Opens and handshakes on the session's thread; ends in OnConnected or OnConnectFailed.
  void Connect(const ConnectOptions& options);
  // The same, waiting for the end: throws PortOpenError, or ConnectError for a failed handshake.
  ControllerInfo ConnectAndWait(const ConnectOptions& options);
  // Handshake over a transport already open (tests, another kind of link).
  void Connect(std::unique_ptr<Transport> transport, const ConnectOptions& options);

  // Starts streaming `plan` (pre-flight refusals end it at once as Refused). With checkFirst
  // the whole program first runs through check mode ($C) and is sent for real only when every
  // line was accepted.
  void StartJob(JobPlan plan, bool checkFirst = false);
  // Blocks until the job has ended and returns its report.
  JobReport WaitForJob();
  bool JobRunning() const;

  void Pause();   // feed hold
  void Resume();  // cycle start
  void Stop();    // the stop sequence; the job ends Stopped
  void FeedOverride(Override change);
  void PowerOverride(Override change);
  // Jogging, relative: $J=G91 G21 X.. Y.. F..; JogCancel sends 0x85.
  void Jog(double dx, double dy, double feed);
  void JogCancel();
  void Home();                             // $H
  void Unlock();                           // $X
  void ZeroHere();                         // G10 L20 P1 X0 Y0
  void SendLine(const std::string& line);  // any one line, outside a job
  void Disconnect();

  bool Connected() const;
  ControllerInfo Info() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The report's text for the user, as the command line prints it.
std::string JobReportText(const JobReport& report);

}  // namespace skelda
