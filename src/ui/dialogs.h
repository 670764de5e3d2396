// The message boxes and file dialogs of the main window behind one small interface, so that the
// window's tests can answer them from a script.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace skelda {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // OpenPictureDialog1: a picture of any kind the program reads; the chosen name, or nothing
  // when cancelled.
  virtual std::optional<QString> OpenPicture(QWidget* parent) = 0;
  // dlgSave2: the name for the BMP file (".bmp" is appended by the command).
  virtual std::optional<QString> SavePicture(QWidget* parent) = 0;
  // The name for the PNG copy of the picture (".png" is added by the command when missing); the
  // BMP dialog's answer unless a dialog of its own is given.
  virtual std::optional<QString> SavePicturePng(QWidget* parent) { return SavePicture(parent); }
  // dlgSave1: the name for the G-code program (".nc" is appended by the command).
  virtual std::optional<QString> SaveGcode(QWidget* parent) = 0;
  // A G-code program to send to the machine; the chosen name, or nothing when cancelled.
  virtual std::optional<QString> OpenProgram(QWidget* parent) = 0;
  // True for OK.
  virtual bool ConfirmOkCancel(QWidget* parent, const QString& text) = 0;
  // True for Yes.
  virtual bool ConfirmYesNo(QWidget* parent, const QString& text) = 0;
  // Before a file is replaced: a warning with Yes and No, No the default; true for Yes.
  virtual bool ConfirmReplace(QWidget* parent, const QString& text) = 0;
  virtual void Information(QWidget* parent, const QString& text) = 0;
  // "О программе"; a plain information box unless the dialogs have one of their own.
  virtual void About(QWidget* parent, const QString& text) { Information(parent, text); }
  // The error box: the text as given (the full-stop rule is applied by the caller).
  virtual void Error(QWidget* parent, const QString& text) = 0;
};

// QFileDialog and QMessageBox.
std::unique_ptr<Dialogs> MakeQtDialogs();

// A name chosen in a file dialog as the file routines open it (the system's encoding), and its
// last part as the reports show it.
std::string FileNameText(const QString& name);
std::string BaseName(const QString& name);

}  // namespace skelda
