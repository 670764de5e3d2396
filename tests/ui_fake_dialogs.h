// Dialogs answered from a script: each question takes the next prepared answer (or the default
// when none is left) and every text shown is recorded.
#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "ui/dialogs.h"

namespace skelda::testing {

class ScriptedDialogs : public Dialogs {
 public:
  // File names; a null text (or none left) answers as a cancelled dialog.
  std::deque<QString> openAnswers;
  std::deque<QString> savePictureAnswers;
  std::deque<QString> saveGcodeAnswers;
  std::deque<bool> okCancelAnswers;  // default: Cancel
  std::deque<bool> yesNoAnswers;     // default: No; also answers the replace question
  std::function<void()> whenAsked;  // runs as each dialog or box shows

  int openAsked = 0;
  int saveGcodeAsked = 0;
  QStringList questions;
  QStringList informations;
  QStringList errors;
  int askedWhileBusy = 0;  // dialogs and boxes shown under the busy cursor

  std::optional<QString> OpenPicture(QWidget*) override {
    Shown();
    ++openAsked;
    return Next(openAnswers);
  }
  std::optional<QString> SavePicture(QWidget*) override {
    Shown();
    return Next(savePictureAnswers);
  }
  std::optional<QString> SaveGcode(QWidget*) override {
    Shown();
    ++saveGcodeAsked;
    return Next(saveGcodeAnswers);
  }
  bool ConfirmOkCancel(QWidget*, const QString& text) override {
    Shown();
    questions << text;
    return NextBool(okCancelAnswers);
  }
  bool ConfirmYesNo(QWidget*, const QString& text) override {
    Shown();
    questions << text;
    return NextBool(yesNoAnswers);
  }
  bool ConfirmReplace(QWidget* parent, const QString& text) override {
    return ConfirmYesNo(parent, text);
  }
  void Information(QWidget*, const QString& text) override {
    Shown();
    informations << text;
  }
  void Error(QWidget*, const QString& text) override {
    Shown();
    errors << text;
  }

 private:
  void Shown() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    if (cursor != nullptr && cursor->shape() == Qt::WaitCursor) ++askedWhileBusy;
    if (whenAsked) whenAsked();
  }
  static std::optional<QString> Next(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    QString answer = std::move(answers.front());
    answers.pop_front();
    if (answer.isNull()) return std::nullopt;
    return std::optional<QString>(std::move(answer));
  }
  static bool NextBool(std::deque<bool>& answers) {
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace skelda::testing
