// The one QApplication of a Qt test program, created before the first test and run on the
// offscreen platform unless a platform is named.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

namespace skelda::testing {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
    // The window remembers its machine in the user's settings; the tests keep theirs apart.
    settings_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
  }
  void TearDown() override {
    app_.reset();
    settings_.reset();
  }

 private:
  int argc_ = 1;
  char name_[16] = "skelda-ui-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
  std::unique_ptr<QTemporaryDir> settings_;
};

inline ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace skelda::testing
