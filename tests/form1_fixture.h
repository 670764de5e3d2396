// A shown main window with scripted dialogs, pictures written to a temporary folder, and a
// reference Workspace that runs the same toolkit-free commands for comparison.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>

#include "core/bmp_writer.h"
#include "core/workspace.h"
#include "gcode/gcode_command.h"
#include "geometry/geometry_commands.h"
#include "geometry/warp/warp_tool.h"
#include "intake/intake_commands.h"
#include "processing/processing_commands.h"
#include "support/bitmap_assert.h"
#include "ui/main_window.h"
#include "ui/preview_canvas.h"
#include "ui_fake_dialogs.h"
#include "ui_test_app.h"

namespace skelda::testing {

// A picture with different colours everywhere, so that any misplaced pixel shows.
inline Bitmap Gradient(int width, int height) {
  return MakePicture(width, height, PixelFormat::Bit32, [](int x, int y) {
    return Color(((x * 7) & 0xFF) | (((y * 5) & 0xFF) << 8) | ((((x + y) * 3) & 0xFF) << 16));
  });
}

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings(QStringLiteral("Skelda"), QStringLiteral("skelda")).clear();  // the classic machine
    auto dialogs = std::make_unique<ScriptedDialogs>();
    fake = dialogs.get();
    form = std::make_unique<TForm1>(std::move(dialogs));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  std::string Path(const std::string& name) const {
    return (dir_.path() + QLatin1Char('/') + QString::fromStdString(name)).toStdString();
  }

  std::string WritePicture(const std::string& name, const Bitmap& picture) {
    const std::string path = Path(name);
    WriteBmpFile(picture, path);
    return path;
  }

  // "Load" through its panel button with the file chosen in the open dialog.
  void LoadThroughButton(const std::string& path) {
    fake->openAnswers.push_back(QString::fromStdString(path));
    QTest::mouseClick(form->LoadPic, Qt::LeftButton);
  }

  // Loads the picture into the window and into the reference Workspace.
  void LoadBoth(const Bitmap& picture, const std::string& name = "picture.bmp") {
    const std::string path = WritePicture(name, picture);
    LoadThroughButton(path);
    ref.StartUp();
    ReadPictureFile(ref, "0.2", path);
    BeginLoad(ref);
    FinishLoad(ref);
  }

  static void Click(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  static void Type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
  }

  Workspace& ws() { return form->workspace(); }

  ScriptedDialogs* fake = nullptr;
  std::unique_ptr<TForm1> form;
  Workspace ref;

 private:
  QTemporaryDir dir_;
};

}  // namespace skelda::testing
