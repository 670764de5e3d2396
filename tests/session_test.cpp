// The sender against a GRBL on a pseudo-terminal: what arrives, what a stop, an error, an
// alarm or a lost link leave behind, and what the checks before a job let through.
#include "machine/session.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "support/fake_grbl.h"

namespace skelda {
namespace {

using testing::FakeGrbl;
using testing::FakeGrblOptions;

// A raster of `rows` rows of `dots` dots, as the GRBL writer lays one out.
std::string Raster(int rows, int dots) {
  std::string p = "G21 (mm)\nG90\nM4 S0\nG1 F3000\n";
  for (int r = 0; r < rows; ++r) {
    p += "G0 X0 Y" + std::to_string(r) + ".2\n";
    for (int d = 1; d <= dots; ++d) {
      p += "G1 X" + std::to_string(d) + ".5 S" + std::to_string(d % 2 ? 1000 : 0) + " ; dot\n\n";
    }
  }
  return p + "M5\nG0 X0 Y0\n";
}

struct Listener : SessionListener {
  std::atomic<int> acknowledged{0};
  std::atomic<bool> held{false}, heldWithBeam{false};
  std::atomic<double> lastPower{-1};
  void OnProgress(const JobProgress& p) override { acknowledged = int(p.linesAcknowledged); }
  void OnStatus(const StatusReport& s) override { lastPower = s.power.value_or(-1); }
  void OnHeld(bool h) override {
    held = h;
    if (h && lastPower != 0) heldWithBeam = true;
  }
};

struct Connected {
  FakeGrbl grbl;
  Listener listener;
  MachineSession session{&listener};
  ControllerInfo info;
  explicit Connected(FakeGrblOptions o = {}) : grbl(o) {
    ConnectOptions c;
    c.port = grbl.Path();
    info = session.ConnectAndWait(c);
  }
  JobReport Send(const std::string& program, bool check = false) {
    session.StartJob(PlanJob(program, info.Motion()), check);
    return session.WaitForJob();
  }
  void WaitForLines(int n) {
    while (listener.acknowledged < n && session.JobRunning()) ::usleep(1000);
  }
};

FakeGrblOptions Fast() {
  FakeGrblOptions o;
  o.speed = 1000;
  return o;
}

std::vector<std::string> Texts(const JobPlan& plan, std::size_t from = 0) {
  std::vector<std::string> t;
  for (std::size_t i = from; i < plan.lines.size(); ++i) t.push_back(plan.lines[i].text);
  return t;
}

TEST(session, raster_arrives_byte_for_byte_and_never_overflows) {
  Connected run(Fast());
  const std::string program = Raster(30, 40);
  const JobReport r = run.Send(program);
  EXPECT_EQ(r.end, JobEnd::Finished) << r.message;
  EXPECT_EQ(run.grbl.Dropped(), 0u);
  EXPECT_EQ(run.grbl.Executed(), Texts(PlanJob(program, {})));
  EXPECT_EQ(run.grbl.Lines()[0], "$I");
  EXPECT_EQ(run.info.Motion().baud, kDefaultBaud);  // the job's times count the line's bytes
}

// The fake must catch a sender that does not count: the same program written at once.
TEST(session, fake_drops_what_overflows_its_ring) {
  FakeGrbl grbl(Fast());
  const int fd = ::open(grbl.Path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  ::usleep(100000);
  const std::string program = Raster(5, 40);
  ASSERT_EQ(::write(fd, program.data(), program.size()), ssize_t(program.size()));
  ::usleep(300000);
  EXPECT_GT(grbl.Dropped(), 0u);
  ::close(fd);
}

TEST(session, stop_holds_resets_and_leaves_the_beam_off) {
  FakeGrblOptions o;
  o.speed = 20;
  Connected run(o);
  const std::string program = Raster(20, 40);
  run.session.StartJob(PlanJob(program, run.info.Motion()));
  run.WaitForLines(200);
  run.session.Stop();
  const JobReport r = run.session.WaitForJob();
  ASSERT_EQ(r.end, JobEnd::Stopped) << r.message;
  EXPECT_GT(r.row, 2);
  EXPECT_FALSE(run.grbl.BeamOn());
  EXPECT_FALSE(run.grbl.LaserModalOn());
  EXPECT_EQ(run.grbl.Alarms(), 0);  // a reset in motion would have raised ALARM:3
  const std::string rt = run.grbl.Realtime();
  EXPECT_LT(rt.find('!'), rt.find('\x18'));

  // Resumed from the row reported, the picture completes: every line before that row ran to
  // its end before the stop, and the resume runs the program from it.
  const JobPlan whole = PlanJob(program, {});
  const std::vector<std::string> before = run.grbl.Completed();
  const std::size_t first = whole.FirstLineOf(r.resumeRow);
  ASSERT_GE(before.size(), first) << r.resumeRow;
  const std::vector<std::string> all = Texts(whole);
  EXPECT_EQ(std::vector<std::string>(before.begin(), before.begin() + long(first)),
            std::vector<std::string>(all.begin(), all.begin() + long(first)));
  Connected again(Fast());
  const JobPlan resumed = ResumeFromRow(program, r.resumeRow, again.info.Motion());
  again.session.StartJob(resumed);
  ASSERT_EQ(again.session.WaitForJob().end, JobEnd::Finished);
  const std::vector<std::string> after = again.grbl.Executed();
  const std::size_t made = resumed.FirstLineOf(r.resumeRow);
  EXPECT_EQ(std::vector<std::string>(after.begin() + long(made), after.end()), Texts(whole, first));
}

TEST(session, pause_is_held_only_with_the_beam_off_and_resumes) {
  FakeGrblOptions o;
  o.speed = 20;
  Connected run(o);
  run.session.StartJob(PlanJob(Raster(3, 40), run.info.Motion()));
  run.WaitForLines(30);
  run.session.Pause();
  while (!run.listener.held) ::usleep(1000);
  EXPECT_FALSE(run.listener.heldWithBeam);
  EXPECT_EQ(run.grbl.State(), "Hold:0");
  const int at = run.listener.acknowledged;
  ::usleep(300000);
  EXPECT_LE(run.listener.acknowledged - at, 16);  // what was in the planner, no more
  run.session.Resume();
  EXPECT_EQ(run.session.WaitForJob().end, JobEnd::Finished);
}

struct Fault {
  const char* name;
  FakeGrblOptions options;
  JobEnd end;
  int code;
  const char* text;  // in the report
};

TEST(session, faults_end_the_job_with_the_line_and_row) {
  auto with = [](auto set) {
    FakeGrblOptions o = Fast();
    set(o);
    return o;
  };
  // Line 3 of the fake is the job's first (after $I and $$).
  const Fault faults[] = {
      {"error", with([](auto& o) { o.errorAt = 50, o.errorCode = 33; }), JobEnd::Halted, 33,
       "error:33 at line 89 (row 2) \"G1 X2.5 S0\": a move whose target cannot be reached"},
      {"alarm", with([](auto& o) { o.alarmAt = 50, o.alarmCode = 1; }), JobEnd::Halted, 1,
       "ALARM:1 at line 89 (row 2): a hard limit switch was hit"},
      {"closed", with([](auto& o) { o.closeAt = 50; }), JobEnd::Lost, 0,
       "the last line acknowledged was line 87 (row 2)"},
      {"reset", with([](auto& o) { o.resetAt = 50; }), JobEnd::Lost, 0,
       "the controller reset itself during the job; the last line acknowledged was line 87"},
  };
  const std::string program = Raster(3, 40);
  for (const Fault& f : faults) {
    Connected run(f.options);
    const JobReport r = run.Send(program);
    EXPECT_EQ(r.end, f.end) << f.name << ": " << r.message;
    EXPECT_EQ(r.code, f.code) << f.name;
    EXPECT_NE(r.message.find(f.text), std::string::npos) << f.name << ": " << r.message;
  }
}

// A fault a few lines into row 2 while the end of row 1 still waits in the planner: a reset,
// ours or the controller's own, empties it, so a resume must begin with row 1.
TEST(session, resume_row_covers_what_a_reset_dropped) {
  const std::string program = Raster(3, 40);
  const JobPlan whole = PlanJob(program, {});
  for (const bool ownReset : {false, true}) {
    FakeGrblOptions o;
    o.speed = 20;
    (ownReset ? o.resetAt : o.errorAt) = 50;
    Connected run(o);
    const JobReport r = run.Send(program);
    ASSERT_EQ(r.end, ownReset ? JobEnd::Lost : JobEnd::Halted) << r.message;
    EXPECT_EQ(r.row, 2);
    const std::vector<std::string> done = run.grbl.Completed(), all = Texts(whole);
    const std::size_t first = whole.FirstLineOf(r.resumeRow);
    ASSERT_GE(done.size(), first);
    EXPECT_EQ(std::vector<std::string>(done.begin(), done.begin() + long(first)),
              std::vector<std::string>(all.begin(), all.begin() + long(first)))
        << ownReset;
    EXPECT_NE(r.message.find("--from-row " + std::to_string(r.resumeRow)), std::string::npos);
  }
}

TEST(session, silent_controller_is_lost_after_three_seconds) {
  FakeGrblOptions o = Fast();
  o.silentAt = 20;
  Connected run(o);
  const JobReport r = run.Send(Raster(2, 40));
  EXPECT_EQ(r.end, JobEnd::Lost);
  EXPECT_NE(r.message.find("no answer from " + run.grbl.Path() + " for 3 s"), std::string::npos)
      << r.message;
}

struct Refusal {
  std::map<int, double> settings;
  bool alarm;
  std::string program;
  const char* text;
};

TEST(session, preflight_refusals_send_nothing_of_the_job) {
  const std::string burn = "M4\nG1 F1000 X1 Y1\nG1 X11 Y5 S800\nM5\n";
  const Refusal refusals[] = {
      {{}, true, burn, "the controller is in alarm: home it with $H (--home) or unlock it"},
      {{{32, 0}}, false, burn, "laser mode is off ($32=0)"},
      {{{30, 255}}, false, burn, "highest power S800 is above the controller's $30=255"},
      {{{130, 8}},
       false,
       burn,
       "the program is 10 mm along X, more than the machine's travel $130=8"},
      {{{20, 1}},
       false,
       burn,
       "with soft limits on ($20=1) the job would leave the travel along X"},
      {{}, false, "G1 F1000 X1" + std::string(80, '0') + "\n", "line 1 has 92 characters"},
  };
  for (const Refusal& f : refusals) {
    FakeGrblOptions o = Fast();
    o.settings = f.settings;
    o.startInAlarm = f.alarm;
    Connected run(o);
    const JobReport r = run.Send(f.program);
    EXPECT_EQ(r.end, JobEnd::Refused) << f.text;
    EXPECT_NE(r.message.find(f.text), std::string::npos) << r.message;
    EXPECT_EQ(run.grbl.Lines(), (std::vector<std::string>{"$I", "$$"})) << f.text;
  }
}

TEST(session, check_mode_refuses_a_bad_program_before_anything_moves) {
  Connected run(Fast());
  const JobReport r = run.Send("G21\nG1 F100 X5\nG5 X1\nG1 X2\n", true);
  EXPECT_EQ(r.end, JobEnd::Refused);
  EXPECT_NE(r.message.find("check mode refused line 3 \"G5 X1\": error:20"), std::string::npos)
      << r.message;
  EXPECT_TRUE(run.grbl.Executed().empty());
  EXPECT_EQ(run.Send("G21\nG1 F100 X5\n", true).end, JobEnd::Finished);
  EXPECT_EQ(run.grbl.Executed(), (std::vector<std::string>{"G21", "G1 F100 X5"}));
}

TEST(session, no_welcome_no_controller) {
  FakeGrblOptions o;
  o.answers = false;
  FakeGrbl grbl(o);
  Listener listener;
  MachineSession session(&listener);
  ConnectOptions c;
  c.port = grbl.Path();
  c.welcomeWaitMs = 200;
  EXPECT_THROW(
      {
        try {
          session.ConnectAndWait(c);
        } catch (const Error& e) {
          EXPECT_EQ(std::string(e.what()), "no GRBL controller answered on " + grbl.Path());
          EXPECT_EQ(grbl.Realtime(), "\x18");  // the soft reset before giving up
          throw;
        }
      },
      Error);
}

}  // namespace
}  // namespace skelda
