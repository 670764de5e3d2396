#include "intake/picture_saving.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/bmp_reader.h"
#include "core/errors.h"
#include "intake_test_support.h"
#include "support/bitmap_assert.h"

namespace skelda {
namespace {

using testing::MakePicture;
using testing::MakeUniform;
using testing::ReadBytes;
using testing::ScratchFolder;

int BitCountOfFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  return bytes.size() > 29 ? bytes[28] | (bytes[29] << 8) : -1;
}

Color Pattern(int x, int y) {
  return RGB(x * 9, y * 13, 77);
}

TEST(SavePictureTest, AppendsBmpAlways) {
  ScratchFolder folder;
  Workspace ws;
  ws.StartUp(MakePicture(13, 7, PixelFormat::Bit32, Pattern));
  EXPECT_EQ(SavePicture(ws, folder.File("picture")), folder.File("picture.bmp"));
  EXPECT_EQ(SavePicture(ws, folder.File("other.bmp")), folder.File("other.bmp.bmp"));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"other.bmp.bmp", "picture.bmp"}));
}

TEST(SavePictureTest, WritesTheShownPictureInItsOwnFormat) {
  ScratchFolder folder;
  Workspace ws;
  ws.StartUp(MakeUniform(59, 46, RGB(128, 128, 128), PixelFormat::Bit8));
  SavePicture(ws, folder.File("start"));
  EXPECT_EQ(BitCountOfFile(folder.File("start.bmp")), 8);
  EXPECT_BITMAP_EQ(ReadBmpFile(folder.File("start.bmp")), ws.ShownBitmap);

  ws.StartUp(MakePicture(13, 7, PixelFormat::Bit32, Pattern));
  ws.ShownBitmap = MakeUniform(5, 3, kBlack);  // a conversion stands in the shown picture
  SavePicture(ws, folder.File("shown"));
  EXPECT_EQ(BitCountOfFile(folder.File("shown.bmp")), 32);
  EXPECT_BITMAP_EQ(ReadBmpFile(folder.File("shown.bmp")), ws.ShownBitmap);
}

TEST(SavePictureTest, ReplacesAnEarlierFile) {
  ScratchFolder folder;
  Workspace ws;
  ws.StartUp(MakePicture(13, 7, PixelFormat::Bit32, Pattern));
  SavePicture(ws, folder.File("picture"));
  ws.ShownBitmap = MakeUniform(3, 2, kWhite);
  SavePicture(ws, folder.File("picture"));
  EXPECT_BITMAP_EQ(ReadBmpFile(folder.File("picture.bmp")), MakeUniform(3, 2, kWhite));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"picture.bmp"});
}

void ExpectFailureNaming(const Workspace& ws, const std::string& chosen) {
  try {
    SavePicture(ws, chosen);
    ADD_FAILURE() << "saved";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("\"" + chosen + ".bmp\""), std::string::npos) << e.what();
  }
}

TEST(SavePictureTest, FailureNamesTheFileAndLeavesNothing) {
  ScratchFolder folder;
  Workspace ws;
  ws.StartUp(MakePicture(13, 7, PixelFormat::Bit32, Pattern));
  ExpectFailureNaming(ws, folder.File("missing/picture"));
  EXPECT_TRUE(folder.Names().empty());

  // A folder in the way: the picture is written but cannot take the name; no temporary file
  // stays behind and the folder is untouched.
  std::filesystem::create_directory(folder.File("taken.bmp"));
  ExpectFailureNaming(ws, folder.File("taken"));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"taken.bmp"});
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken.bmp")));
}

}  // namespace
}  // namespace skelda
