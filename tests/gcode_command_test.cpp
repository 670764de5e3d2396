#include "gcode/gcode_command.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/errors.h"
#include "gcode_test_support.h"
#include "support/bitmap_assert.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

namespace skelda {
namespace {

namespace fs = std::filesystem;
using testing::DrawPicture;

using testing::ReadAll;
using testing::TempDir;

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string MessageOf(const std::function<void()>& f) {
  return testing::ErrorText(f);
}

TEST(ParseGcodeSettings, ReadsTheFieldsTheModeNeeds) {
  const GcodeSettings dots = ParseGcodeSettings("0.2", false, "not read in dot mode", "2.5");
  EXPECT_EQ(dots.dot, 0.2);
  EXPECT_FALSE(dots.lineMode);
  EXPECT_EQ(dots.burnTime, "2.5");
  const GcodeSettings lines = ParseGcodeSettings(" 0.5 ", true, " 250 ", "");
  EXPECT_EQ(lines.dot, 0.5);
  EXPECT_TRUE(lines.lineMode);
  EXPECT_EQ(lines.feed, 250);
  EXPECT_EQ(ParseGcodeSettings("0.00001", false, "", "1").dot, 0.00001);
}

TEST(ParseGcodeSettings, RefusesWhatCannotBecomeAProgram) {
  struct Case {
    const char* dot;
    bool lineMode;
    const char* feed;
    const char* burnTime;
    const char* message;
  };
  for (const Case c : {
           Case{"abc", false, "300", "1", "'abc' is not a valid floating point value"},
           Case{"", true, "300", "1", "'' is not a valid floating point value"},
           Case{"0,2", true, "x", "1", "'0,2' is not a valid floating point value"},
           Case{"0.2", true, "3.5", "1", "'3.5' is not a valid integer value"},
           Case{"0.2", true, "", "1", "'' is not a valid integer value"},
           Case{"0.000009", false, "300", "1",
                "The dot size '0.000009' mm is below 0.00001 mm, the smallest size a G-code "
                "program can hold"},
           Case{"1e-6", true, "300", "1",
                "The dot size '1e-6' mm is below 0.00001 mm, the smallest size a G-code "
                "program can hold"},
           Case{"0", false, "300", "1",
                "The dot size '0' mm is below 0.00001 mm, the smallest size a G-code program "
                "can hold"},
           Case{"-0.2", false, "300", "1",
                "The dot size '-0.2' mm is below 0.00001 mm, the smallest size a G-code "
                "program can hold"},
           Case{"0.2", false, "300", "1\r\nM3", "'1\r\nM3' is not a valid floating point value"},
           Case{"0.2", true, "0", "1", "'0' is not a valid feed value (a whole number above 0)"},
           Case{"0.2", true, "-300", "1",
                "'-300' is not a valid feed value (a whole number above 0)"},
           Case{"0.2", false, "300", "", "'' is not a valid floating point value"},
           Case{"0.2", false, "300", "1 M3", "'1 M3' is not a valid floating point value"},
           Case{"0.2", false, "300", "1e3",
                "'1e3' is not a valid burn time value (a plain decimal number, no exponent)"},
       }) {
    EXPECT_EQ(MessageOf([&] { ParseGcodeSettings(c.dot, c.lineMode, c.feed, c.burnTime); }),
              c.message)
        << c.dot << " " << c.feed;
  }
}

TEST(CommitForGcode, TheShownPictureBecomesTheBaseAndIsAttached) {
  Workspace ws;
  ws.StartUp(DrawPicture({"..", ".."}));
  ws.ShownBitmap = DrawPicture({"#.", ".#"});
  CommitForGcode(ws);
  EXPECT_BITMAP_EQ(ws.BaseBitmap, DrawPicture({"#.", ".#"}));
  EXPECT_BITMAP_EQ(ws.ShownBitmap, ws.BaseBitmap);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.BaseBitmap);
  EXPECT_NE(ws.ShownBitmap.Bits(), ws.BaseBitmap.Bits());
}

TEST(CommitForGcode, TheStartPictureWritesAProgram) {
  Workspace ws;
  ws.StartUp();
  CommitForGcode(ws);
  StringSink sink;
  const auto count =
      WriteGcodeProgram(ws.BasePixels, ParseGcodeSettings("0.2", false, "", "1"), sink);
  const auto lines = testing::ProgramLines(sink.text);
  ASSERT_EQ(lines.size(), 4 + count + 465 + 3);
  EXPECT_EQ(lines[3], "M40");
  EXPECT_EQ(lines[lines.size() - 4], "Y93");  // 465 x 0.2
  EXPECT_EQ(lines.back(), "%");
}

TEST(WriteGcodeFile, AppendsNcEvenToANameEndingInNc) {
  TempDir dir;
  Workspace ws;
  ws.StartUp(DrawPicture({"....", "#..."}));
  CommitForGcode(ws);
  const auto settings = ParseGcodeSettings("0.5", true, "300", "1");
  EXPECT_EQ(WriteGcodeFile(ws, settings, dir / "a.nc"), 2u);
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"a.nc.nc"});
  EXPECT_EQ(ReadAll(dir / "a.nc.nc"),
            "%\r\nG90\r\nG0X0Y0\r\nG1F300\r\nG0X0\r\nM3\r\nG1X0.5\r\nM5\r\nM5\r\nG0Y0.5\r\n"
            "G0Y1\r\nM5\r\nG0X0Y0\r\nM2\r\n%\r\n");
  EXPECT_TRUE(GcodeReport("a.nc", 3, 2, true).starts_with("Программа a.nc.nc успешно создана"));
}

TEST(WriteGcodeFile, ARefusedPictureLeavesTheOldFileAlone) {
  TempDir dir;
  WriteAll(dir / "p.nc", "old program");
  Workspace ws;
  ws.StartUp(DrawPicture({"#.........", "........#."}));
  CommitForGcode(ws);
  GcodeSettings tooLarge;
  tooLarge.dot = 1e14;  // column 10 would be 1E15
  EXPECT_THROW(WriteGcodeFile(ws, tooLarge, dir / "p"), Error);
  EXPECT_EQ(ReadAll(dir / "p.nc"), "old program");
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"p.nc"});
}

TEST(WriteGcodeFile, AFailedWriteLeavesTheOldFileAndNoPartialOne) {
  TempDir dir;
  WriteAll(dir / "p.nc", "old program");
  Workspace ws;
  ws.StartUp(DrawPicture({std::string(3000, '#'), std::string(3000, '#')}));
  CommitForGcode(ws);

  // Let the file system refuse everything past 4 KiB, as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(WriteGcodeFile(ws, GcodeSettings{}, dir / "p"), FileError);
  ::setrlimit(RLIMIT_FSIZE, &old);

  EXPECT_EQ(ReadAll(dir / "p.nc"), "old program");
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"p.nc"});
}

TEST(WriteGcodeFile, AFolderThatDoesNotExistIsACreateError) {
  TempDir dir;
  Workspace ws;
  ws.StartUp(DrawPicture({"#.", ".#"}));
  CommitForGcode(ws);
  EXPECT_THROW(WriteGcodeFile(ws, GcodeSettings{}, dir / "missing/p"), FileError);
  EXPECT_TRUE(dir.Files().empty());
}

TEST(GcodeReport, NamesTheFileTheTimeAndTheCount) {
  EXPECT_EQ(GcodeReport("портрет", 1234, 98765, true),
            "Программа портрет.nc успешно создана !\r\n"
            "Время создания программы: 1234мс. (1000мс=1сек.)\r\n"
            "Кол-во черных линий: 98765шт.");
  EXPECT_EQ(GcodeReport("a", 1, 0, false),
            "Программа a.nc успешно создана !\r\n"
            "Время создания программы: 1мс. (1000мс=1сек.)\r\n"
            "Кол-во черных точек: 0шт.");
}

TEST(GcodeReport, NoTimeOrAWrappedClockReadsLessThanOne) {
  for (std::int64_t elapsed : {std::int64_t{0}, std::int64_t{-5}, INT64_MIN}) {
    EXPECT_EQ(GcodeReport("a.nc", elapsed, 12000000000ull, false),
              "Программа a.nc.nc успешно создана !\r\n"
              "Время создания программы: менее 1мс. (1000мс=1сек.)\r\n"
              "Кол-во черных точек: 12000000000шт.");
  }
}

}  // namespace
}  // namespace skelda
