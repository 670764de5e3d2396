// Dialogs answered from a script: each question takes the next prepared answer (or the default
// when none is left) and every text shown is recorded.
#pragma once

#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "ui/dialogs.h"

namespace skelda::testing {

class ScriptedDialogs : public Dialogs {
 public:
  // File names; a null text (or none left) answers as a cancelled dialog.
  std::deque<QString> openAnswers;
  std::deque<QString> savePictureAnswers;
  std::deque<QString> saveGcodeAnswers;
  std::deque<QString> openProgramAnswers;
  std::deque<bool> okCancelAnswers;  // default: Cancel
  std::deque<bool> yesNoAnswers;     // default: No; also answers the replace question
  int askedWhileBusy = 0;            // dialogs and boxes shown under a busy (override) cursor

  int openAsked = 0;
  int saveGcodeAsked = 0;
  QStringList questions;
  QStringList informations;
  QStringList errors;

  std::optional<QString> OpenPicture(QWidget*) override {
    ++openAsked;
    return Next(openAnswers);
  }
  std::optional<QString> SavePicture(QWidget*) override { return Next(savePictureAnswers); }
  std::optional<QString> SaveGcode(QWidget*) override {
    ++saveGcodeAsked;
    return Next(saveGcodeAnswers);
  }
  std::optional<QString> OpenProgram(QWidget*) override { return Next(openProgramAnswers); }
  bool ConfirmOkCancel(QWidget*, const QString& text) override {
    questions << text;
    return NextBool(okCancelAnswers);
  }
  bool ConfirmYesNo(QWidget*, const QString& text) override {
    questions << text;
    return NextBool(yesNoAnswers);
  }
  bool ConfirmReplace(QWidget* p, const QString& text) override { return ConfirmYesNo(p, text); }
  void Information(QWidget*, const QString& text) override { Record(informations, text); }
  void Error(QWidget*, const QString& text) override { Record(errors, text); }

 private:
  void Shown() { askedWhileBusy += QGuiApplication::overrideCursor() != nullptr; }
  void Record(QStringList& list, const QString& text) {
    Shown();
    list << text;
  }
  std::optional<QString> Next(std::deque<QString>& answers) {
    Shown();
    if (answers.empty()) return std::nullopt;
    QString answer = std::move(answers.front());
    answers.pop_front();
    if (answer.isNull()) return std::nullopt;
    return std::optional<QString>(std::move(answer));
  }
  bool NextBool(std::deque<bool>& answers) {
    Shown();
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace skelda::testing
