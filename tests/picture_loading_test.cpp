#include "intake/picture_loading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/bmp_reader.h"
#include "core/errors.h"
#include "intake/picture_file.h"
#include "intake_test_support.h"
#include "support/bitmap_assert.h"

// clang-format off
#include <jerror.h>
// clang-format on

namespace skelda {
namespace {

using testing::GradientSamples;
using testing::JpegMaking;
using testing::MakeJpeg;
using testing::MakePicture;
using testing::MakeUniform;
using testing::ScratchFolder;
using testing::TestDataPath;
using testing::WriteBytes;

struct KindCase {
  const char* name;
  bool bitmap;
};

class FileKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(FileKindTest, ByTheExtension) {
  EXPECT_EQ(IsBitmapKind(GetParam().name), GetParam().bitmap);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileKindTest,
    ::testing::Values(KindCase{"picture.BMP", true}, KindCase{"picture.Bmp", true},
                      KindCase{"/home/u/picture.bmp", true}, KindCase{".bmp", true},
                      KindCase{"picture.jpeg", false}, KindCase{"picture.JPG", false},
                      KindCase{"picture", false}, KindCase{"picture.bmp.jpg", false},
                      KindCase{"picture.png", false}, KindCase{"picture.bmpx", false},
                      KindCase{"picturebmp", false}, KindCase{"", false}));

TEST(FileKindTest, ExtensionFromTheLastDot) {
  EXPECT_EQ(FileExtension("a.b.Jpg"), ".Jpg");
  EXPECT_EQ(FileExtension("name"), "");
  EXPECT_EQ(FileExtension("name."), ".");
}

// Files of one picture in several forms, made in a scratch folder.
class PictureFiles : public ::testing::Test {
 protected:
  std::string MakeJpegFile(const std::string& name, int width, int height, bool grey = false) {
    JpegMaking making;
    std::vector<std::uint8_t> samples = GradientSamples(width, height);
    if (grey) {
      making.inputSpace = JCS_GRAYSCALE;
      samples.resize(static_cast<std::size_t>(width) * height);
    }
    WriteBytes(folder_.File(name), MakeJpeg(width, height, samples, making));
    return folder_.File(name);
  }
  std::string CopyOf(const std::string& source, const std::string& name) {
    std::filesystem::copy_file(source, folder_.File(name));
    return folder_.File(name);
  }

  ScratchFolder folder_;
};

// The Workspace before a load: a start picture of its own, shown with a conversion.
void StartWorkspace(Workspace& ws) {
  ws.StartUp(MakeUniform(59, 46, RGB(200, 200, 200), PixelFormat::Bit8));
  ws.ShownBitmap = MakeUniform(59, 46, kBlack, PixelFormat::Bit32);
}

struct FieldsCase {
  int width, height;
  const char* dot;
  SizeFields fields;
};

class ReadPictureFieldsTest : public PictureFiles,
                              public ::testing::WithParamInterface<FieldsCase> {};

TEST_P(ReadPictureFieldsTest, WritesTheSizeFields) {
  const FieldsCase& c = GetParam();
  Workspace ws;
  StartWorkspace(ws);
  const Bitmap shown = ws.ShownBitmap;
  const std::string file = MakeJpegFile("picture.jpg", c.width, c.height);
  EXPECT_EQ(ReadPictureFile(ws, c.dot, file), c.fields);
  EXPECT_EQ(ws.BaseBitmap.Width(), c.width);
  EXPECT_EQ(ws.BaseBitmap.Height(), c.height);
  EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32);
  EXPECT_EQ(ws.ShownBitmap, shown);  // the command's later steps copy it
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadPictureFieldsTest,
                         ::testing::Values(FieldsCase{640, 480, "0.2", {"128", "96", "640", "480"}},
                                           FieldsCase{
                                               333, 250, "0.2", {"66.6", "50", "333", "250"}},
                                           FieldsCase{7, 3, "0.15", {"1.05", "0.45", "7", "3"}},
                                           FieldsCase{10, 1, "1e-1", {"1", "0.1", "10", "1"}}));

TEST_F(PictureFiles, EveryKindEndsAs32BitsOfItsSize) {
  const std::string files[] = {
      CopyOf(TestDataPath("bmpsuite/g/pal8.bmp"), "palette.bmp"),
      CopyOf(TestDataPath("bmpsuite/g/rgb24.bmp"), "colour.BMP"),
      CopyOf(TestDataPath("bmpsuite/g/pal1.bmp"), "mono.Bmp"),
      MakeJpegFile("grey.jpg", 127, 64, true),
      MakeJpegFile("colour.jpeg", 127, 64),
      MakeJpegFile("noextension", 127, 64),
      MakeJpegFile("looks.bmp.jpg", 127, 64),
  };
  for (const std::string& file : files) {
    Workspace ws;
    StartWorkspace(ws);
    EXPECT_EQ(ReadPictureFile(ws, "0.2", file), (SizeFields{"25.4", "12.8", "127", "64"})) << file;
    EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32) << file;
    EXPECT_EQ(ws.BaseBitmap.Width(), 127) << file;
    EXPECT_EQ(ws.BaseBitmap.Height(), 64) << file;
  }
}

TEST_F(PictureFiles, BitmapPixelsKeepTheirColours) {
  const Bitmap file = ReadBmpFile(TestDataPath("bmpsuite/g/pal8.bmp"));
  Workspace ws;
  StartWorkspace(ws);
  ReadPictureFile(ws, "0.2", TestDataPath("bmpsuite/g/pal8.bmp"));
  EXPECT_BITMAP_EQ(ws.BaseBitmap, file);
}

struct FailureCase {
  const char* name;
  const char* dot;
  std::string fileName;  // in the scratch folder
  std::string message;   // empty: the open-file error naming the file
};

class ReadPictureFailureTest : public PictureFiles,
                               public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ReadPictureFailureTest, ChangesNothing) {
  const FailureCase& c = GetParam();
  MakeJpegFile("picture.jpg", 16, 8);
  MakeJpegFile("jpeg.bmp", 16, 8);
  CopyOf(TestDataPath("bmpsuite/g/rgb24.bmp"), "bitmap.jpg");
  CopyOf(TestDataPath("jpeg/corrupt/truncated_jpeg.jpg"), "cut.jpg");
  // A PNG: signature and IHDR of a 1 x 1 picture.
  WriteBytes(folder_.File("picture.png"),
             {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I',  'H',  'D',  'R', 0,
              0,    0,   1,   0,   0,    0,    1,    8,    2, 0, 0, 0,  0x90, 0x77, 0x53, 0xDE});
  WriteBytes(folder_.File("empty.bmp"), {});
  WriteBytes(folder_.File("text.bmp"), {'t', 'e', 'x', 't'});
  WriteBytes(folder_.File("text.png"), {'t', 'e', 'x', 't'});
  std::filesystem::create_directory(folder_.File("folder.jpg"));

  Workspace ws;
  StartWorkspace(ws);
  const Bitmap base = ws.BaseBitmap, shown = ws.ShownBitmap;
  const std::string path = c.fileName.empty() ? "" : folder_.File(c.fileName);
  try {
    ReadPictureFile(ws, c.dot, path);
    ADD_FAILURE() << "read";
  } catch (const FileError& e) {
    EXPECT_TRUE(c.message.empty()) << e.what();
    EXPECT_NE(std::string(e.what()).find("\"" + path + "\""), std::string::npos) << e.what();
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), c.message);
  }
  EXPECT_EQ(ws.BaseBitmap, base);
  EXPECT_EQ(ws.ShownBitmap, shown);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ReadPictureFailureTest,
    ::testing::Values(
        FailureCase{"DotEmpty", "", "picture.jpg", "'' is not a valid floating point value"},
        FailureCase{"DotNotANumber", "0.2mm", "picture.jpg",
                    "'0.2mm' is not a valid floating point value"},
        // the dot size is read before the file
        FailureCase{"DotBeforeFile", "x", "missing.jpg", "'x' is not a valid floating point value"},
        FailureCase{"Missing", "0.2", "missing.jpg", ""},
        FailureCase{"MissingBmp", "0.2", "missing.bmp", ""},
        FailureCase{"NoNameChosenYet", "0.2", "", ""},
        FailureCase{"Folder", "0.2", "folder.jpg", ""},
        FailureCase{"EmptyBmp", "0.2", "empty.bmp", "Bitmap image is not valid"},
        FailureCase{"CutPng", "0.2", "picture.png",
                    "PNG image is not valid: the file is cut short"},
        FailureCase{"TextNamedBmp", "0.2", "text.bmp", "Bitmap image is not valid"},
        FailureCase{"TextNamedPng", "0.2", "text.png",
                    "JPEG error #" + std::to_string(JERR_NO_SOI)},
        FailureCase{"Truncated", "0.2", "cut.jpg", "JPEG error #" + std::to_string(JWRN_JPEG_EOF)}),
    [](const auto& info) { return std::string(info.param.name); });

// The content decides, whatever the name says.
TEST_F(PictureFiles, MisnamedFilesLoadByContent) {
  Workspace named, misnamed;
  ReadPictureFile(named, "0.2", MakeJpegFile("picture.jpg", 16, 8));
  ReadPictureFile(misnamed, "0.2", MakeJpegFile("jpeg.bmp", 16, 8));
  EXPECT_SAME_BYTES(misnamed.BaseBitmap, named.BaseBitmap);
  ReadPictureFile(named, "0.2", TestDataPath("bmpsuite/g/rgb24.bmp"));
  ReadPictureFile(misnamed, "0.2", CopyOf(TestDataPath("bmpsuite/g/rgb24.bmp"), "bitmap.jpg"));
  EXPECT_SAME_BYTES(misnamed.BaseBitmap, named.BaseBitmap);
}

TEST(LoadStepsTest, BeginAndFinishSetTheWorkspace) {
  Workspace ws;
  ws.StartUp(MakePicture(30, 20, PixelFormat::Bit32, [](int x, int y) { return RGB(x, y, 9); }));
  ws.ShownBitmap = MakeUniform(5, 5, kWhite);
  ws.EffectApplied = true;
  ws.BwMode = kBwModeThreshold;
  ws.MouseTool = kMouseToolWarp;
  BeginLoad(ws);
  EXPECT_EQ(ws.MouseTool, kMouseToolOff);
  EXPECT_FALSE(ws.EffectApplied);
  EXPECT_EQ(ws.BwMode, kBwModeThreshold);  // the slider resets still see the old mode
  FinishLoad(ws);
  EXPECT_EQ(ws.BwMode, kBwModeNone);
  EXPECT_EQ(ws.ShownBitmap, ws.BaseBitmap);
  EXPECT_EQ(ws.BasePixels.Bitmap_, &ws.BaseBitmap);
  EXPECT_EQ(ws.ShownPixels.Bitmap_, &ws.ShownBitmap);
  EXPECT_EQ(ws.PictureWidth, 30);
  EXPECT_EQ(ws.PictureHeight, 20);
  EXPECT_EQ(ws.ToolRect, (TRect{5, 5, 24, 14}));
}

TEST(LoadStepsTest, ShowOriginalDiscardsTheShownPicture) {
  Workspace ws;
  ws.StartUp(MakeUniform(8, 4, RGB(1, 2, 3)));
  ws.ShownBitmap = MakeUniform(2, 2, kWhite);
  ws.EffectApplied = true;
  ws.BwMode = kBwModeDither;
  ShowOriginal(ws);
  EXPECT_EQ(ws.ShownBitmap, ws.BaseBitmap);
  EXPECT_FALSE(ws.EffectApplied);
  EXPECT_EQ(ws.BwMode, kBwModeDither);
}

// Every file of the test data through both readers: a picture or a clean error, no crash (the
// sanitizer build checks for over-reads and leaks).
TEST(PictureCorpusTest, EveryTestFileLoadsOrFailsCleanly) {
  int files = 0, pictures = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TestDataPath(""))) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const std::string path = entry.path().string();
    for (const std::string& asKind : {std::string(".bmp"), std::string(".jpg")}) {
      ScratchFolder folder;
      const std::string copy = folder.File("file" + asKind);
      std::filesystem::create_symlink(path, copy);
      Workspace ws;
      StartWorkspace(ws);
      const Bitmap base = ws.BaseBitmap;
      try {
        ReadPictureFile(ws, "0.2", copy);
        ++pictures;
        EXPECT_EQ(ws.BaseBitmap.Format(), PixelFormat::Bit32) << path;
      } catch (const Error& e) {
        EXPECT_EQ(ws.BaseBitmap, base) << path << ": " << e.what();
      }
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_GT(pictures, 30);
}

}  // namespace
}  // namespace skelda
