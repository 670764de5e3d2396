// A program made ready to send: stripped lines, rows, planned times against the reader's own
// plan of the whole program, and the program resumed from a row.
#include "machine/job_plan.h"

#include <gtest/gtest.h>

#include "simulation/program_reader.h"

namespace skelda {
namespace {

TEST(job_plan, stripped_lines) {
  const std::pair<const char*, const char*> cases[] = {
      {"  G1 X1 (dot) S5 ; rest", "G1 X1  S5"},
      {"(only a comment)", ""},
      {"; whole line", ""},
      {"G0 X1\r", "G0 X1"},
      {"\tM5  ", "M5"},
      {"G1 (a (nested) one) X2", "G1  X2"},
  };
  for (const auto& [line, stripped] : cases) EXPECT_EQ(StrippedLine(line), stripped) << line;
}

const char kProgram[] =
    "G21\nG90 (absolute)\nM4 S0\nG1 F600\n"
    "G0 X1 Y0\nG1 X2 S500\nG1 X3 S0\n"  // row 1: lines 5-7
    "\n"
    "G0 X1 Y0.2\nG1 X4 S900\n"  // row 2: lines 9-10
    "G91\nG1 Y0.2 S100\nX-1\n"  // row 3: lines 11-13 (relative from line 11 on)
    "M5\nG90 G0 X0 Y0\n";       // row 4: line 15

TEST(job_plan, rows_lines_and_bounds) {
  const JobPlan plan = PlanJob(kProgram, {});
  ASSERT_EQ(plan.lines.size(), 14u);
  EXPECT_EQ(plan.lines[1].text, "G90");
  std::vector<std::pair<std::uint64_t, int>> rows;
  for (const auto& l : plan.lines) rows.emplace_back(l.fileLine, l.row);
  EXPECT_EQ(rows, (std::vector<std::pair<std::uint64_t, int>>{{1, 0},
                                                              {2, 0},
                                                              {3, 0},
                                                              {4, 0},
                                                              {5, 1},
                                                              {6, 1},
                                                              {7, 1},
                                                              {9, 2},
                                                              {10, 2},
                                                              {11, 2},
                                                              {12, 3},
                                                              {13, 3},
                                                              {14, 3},
                                                              {15, 4}}));
  EXPECT_EQ(plan.rows, 4);
  EXPECT_EQ(plan.maxPower, 900);
  EXPECT_TRUE(plan.laserWords);
  EXPECT_EQ(plan.bounds.minX, 0);
  EXPECT_EQ(plan.bounds.maxX, 4);
  EXPECT_DOUBLE_EQ(plan.bounds.maxY, 0.4);
  EXPECT_EQ(plan.bytes, 110u);
}

// Every line's finish against the reader run over the program cut after that line.
// At 300 baud the link, not the head, sets the pace of this program.
TEST(job_plan, finish_times_match_the_reader) {
  for (const double baud : {0.0, 300.0}) {
    SimulationSettings settings;
    settings.motion.baud = baud;
    const JobPlan plan = PlanJob(kProgram, settings.motion);
    std::string upTo;
    double before = 0;
    for (const auto& line : plan.lines) {
      upTo += line.text + "\n";
      ProgramReader reader{settings};
      reader.Feed(upTo.data(), upTo.size());
      reader.Finish();
      // Cut there, the job must stop at that line's end; going on it need not brake, so the
      // line is done no later.
      EXPECT_LE(line.finish, reader.Seconds() + 1e-9) << line.text << " at " << baud;
      EXPECT_GE(line.finish, before) << line.text << " at " << baud;
      before = line.finish;
    }
    ProgramReader whole{settings};  // the lines as sent: the link carries no comments
    whole.Feed(upTo.data(), upTo.size());
    whole.Finish();
    EXPECT_DOUBLE_EQ(plan.seconds, whole.Seconds());
    EXPECT_DOUBLE_EQ(plan.lines.back().finish, whole.Seconds());
    EXPECT_EQ(whole.LinkSeconds() > 1, baud > 0);
  }
}

TEST(job_plan, resume_from_a_row_restates_the_state) {
  const JobPlan plan = ResumeFromRow(kProgram, 3, {});
  std::vector<std::string> texts;
  for (const auto& l : plan.lines) texts.push_back(l.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"G21", "G90", "M4 S0", "G1 F600", "G21", "M5", "G90",
                                             "G0 X4 Y0.2", "G91", "F600", "S900", "M4", "G1",
                                             "G1 Y0.2 S100", "X-1", "M5", "G90 G0 X0 Y0"}));
  EXPECT_EQ(plan.lines[13].fileLine, 12u);
  EXPECT_EQ(plan.lines[13].row, 3);
  EXPECT_EQ(plan.lines[7].fileLine, 0u);
  EXPECT_EQ(plan.rows, 4);
  EXPECT_THROW(ResumeFromRow(kProgram, 5, {}), Error);
}

}  // namespace
}  // namespace skelda
