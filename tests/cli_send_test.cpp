// skelda-cli --send end to end against the fake controller: exit statuses and messages.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "core/bmp_writer.h"
#include "support/fake_grbl.h"
#include "support/temp_dir.h"

extern char** environ;

namespace skelda {
namespace {

using testing::FakeGrbl;
using testing::FakeGrblOptions;

struct Result {
  int status;
  std::string err;
};

// Runs skelda-cli with standard error caught; a SIGTERM once `beforeTerm` returns, when given.
Result Cli(std::vector<std::string> args, const testing::TempDir& dir,
           const std::function<void()>& beforeTerm = {}) {
  const std::string err = dir / "stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  args.insert(args.begin(), SKELDA_CLI);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, SKELDA_CLI, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return {-1, "cannot run " SKELDA_CLI};
  if (beforeTerm) {
    beforeTerm();
    ::kill(pid, SIGTERM);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadAll(err)};
}

std::string Write(const testing::TempDir& dir, const std::string& name, const std::string& text) {
  std::ofstream(dir / name) << text;
  return dir / name;
}

std::string Rows(int rows) {
  std::string p = "G21\nG90\nM4 S0\nG1 F600\n";
  for (int r = 0; r < rows; ++r) {
    p += "G0 X0 Y" + std::to_string(r) + "\n";
    for (int d = 1; d <= 20; ++d)
      p += "G1 X" + std::to_string(d) + " S" + (d % 2 ? "900\n" : "0\n");
  }
  return p + "M5\n";
}

struct Case {
  const char* name;
  FakeGrblOptions fake;
  std::vector<std::string> args;  // after --send PORT PROGRAM
  int status;
  const char* text;
};

TEST(cli_send, exit_statuses) {
  auto fake = [](auto set) {
    FakeGrblOptions o;
    o.speed = 1000;
    set(o);
    return o;
  };
  const Case cases[] = {
      {"finished", fake([](auto&) {}), {}, 0, "job finished: 89 lines sent in "},
      {"refused", fake([](auto& o) { o.settings[32] = 0; }), {}, 1, "laser mode is off ($32=0)"},
      {"unlocked", fake([](auto& o) { o.startInAlarm = true; }), {"--unlock"}, 0, "job finished"},
      {"check",
       fake([](auto& o) { o.errorAt = 10; }),
       {"--check"},
       1,
       "check mode refused line 7 \"G1 X2 S0\": error:20"},
      {"halted",
       fake([](auto& o) { o.errorAt = 10; }),
       {},
       4,
       "error:20 at line 8 (row 1) \"G1 X3 S900\""},
      {"lost",
       fake([](auto& o) { o.closeAt = 30; }),
       {},
       5,
       "the last line acknowledged was line 27 (row 2); to finish the picture, resume with "
       "--from-row 2"},
      {"no row",
       fake([](auto&) {}),
       {"--from-row", "9"},
       1,
       "there is no row 9: the program has rows 1 to 4"},
      {"resumed", fake([](auto&) {}), {"--from-row", "4", "-q"}, 0, "job finished: 34 lines"},
  };
  testing::TempDir dir;
  const std::string program = Write(dir, "job.nc", Rows(4));
  for (const Case& c : cases) {
    FakeGrbl grbl(c.fake);
    std::vector<std::string> args = {"--send", grbl.Path(), program};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result r = Cli(args, dir);
    EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
    EXPECT_NE(r.err.find(c.text), std::string::npos) << c.name << ": " << r.err;
    const std::size_t lost = r.err.find("lost");
    if (lost != std::string::npos) {
      EXPECT_EQ(r.err.find("lost", lost + 1), std::string::npos) << r.err;
    }
  }
}

TEST(cli_send, sigterm_stops_safely_and_the_log_tells) {
  testing::TempDir dir;
  FakeGrblOptions o;
  o.speed = 5;
  FakeGrbl grbl(o);
  // Stopped once the job is well under way.
  auto burning = [&] {
    for (int i = 0;
         i < 2000 && testing::ReadAll(dir / "log").find("> G1 X5 S900") == std::string::npos; ++i) {
      ::usleep(10000);
    }
  };
  const Result r = Cli({"--send", grbl.Path(), Write(dir, "job.nc", Rows(4)), "--log", dir / "log"},
                       dir, burning);
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("beam off, position kept"), std::string::npos) << r.err;
  EXPECT_FALSE(grbl.BeamOn());
  EXPECT_EQ(grbl.Alarms(), 0);
  const std::string log = testing::ReadAll(dir / "log");
  for (const char* part : {"< Grbl 1.1h ['$' for help]", "> $$", "> G1 F600", "< ok",
                           "> <feed hold>", "< <Hold:0|", "> <soft reset>", "# stopped after"}) {
    EXPECT_NE(log.find(part), std::string::npos) << part;
  }
}

TEST(cli_send, a_picture_is_written_then_sent) {
  testing::TempDir dir;
  FakeGrblOptions o;
  o.speed = 1000;
  FakeGrbl grbl(o);
  Bitmap picture(8, 4, PixelFormat::Bit8);
  WriteBmpFile(picture, dir / "pic.bmp");
  const Result r =
      Cli({dir / "pic.bmp", "--machine", "grbl", "--lines", "--send", grbl.Path()}, dir);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(testing::ReadAll(dir / "pic.nc").empty());
  EXPECT_EQ(grbl.Dropped(), 0u);
}

TEST(cli_send, usage_and_ports) {
  testing::TempDir dir;
  const std::pair<std::vector<std::string>, int> runs[] = {
      {{"--check", "job.nc"}, 2},
      {{"--send", "/dev/null", "-o", "-", "x.bmp"}, 2},
      {{"--send", dir / "no-such-port", Write(dir, "a.nc", "G0 X1\n")}, 1},
      {{"--ports"}, 0},
  };
  for (const auto& [args, status] : runs) EXPECT_EQ(Cli(args, dir).status, status) << args[0];
  EXPECT_NE(Cli(runs[2].first, dir).err.find(": no such port"), std::string::npos);
}

}  // namespace
}  // namespace skelda
