#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace skelda {
namespace {

const QString kBoxTitle = QStringLiteral("Skelda");

// The platform's own dialog title; the chosen name is taken as typed. Neither save dialog asks
// before replacing: the file written is the chosen name plus an extension, so the command asks
// about that file instead.
std::optional<QString> AskFileName(QWidget* parent, QFileDialog::AcceptMode mode,
                                   const QString& filter, const QString& defaultSuffix) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
  if (mode == QFileDialog::AcceptSave) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

// True when the first of the two buttons was chosen.
bool Ask(QWidget* parent, const QString& text, QMessageBox::StandardButton yes,
         QMessageBox::StandardButton no, QMessageBox::Icon icon = QMessageBox::Question,
         bool defaultYes = true) {
  QMessageBox box(icon, kBoxTitle, text, yes | no, parent);
  box.setDefaultButton(defaultYes ? yes : no);
  return box.exec() == yes;
}

class QtDialogs final : public Dialogs {
 public:
  std::optional<QString> OpenPicture(QWidget* parent) override {
    return AskFileName(
        parent, QFileDialog::AcceptOpen,
        QCoreApplication::translate("Window",
                                    "Изображения (*.jpg *.jpeg *.png *.bmp *.gif *.webp *.tif "
                                    "*.tiff);;Все файлы (*)"),
        QStringLiteral("jpg"));
  }
  std::optional<QString> SavePicture(QWidget* parent) override {
    return AskFileName(parent, QFileDialog::AcceptSave, QStringLiteral("Bitmap picture (*.bmp)"),
                       QString());
  }
  std::optional<QString> SavePicturePng(QWidget* parent) override {
    return AskFileName(parent, QFileDialog::AcceptSave,
                       QCoreApplication::translate("Window", "Изображение PNG (*.png)"), QString());
  }
  std::optional<QString> SaveGcode(QWidget* parent) override {
    return AskFileName(parent, QFileDialog::AcceptSave, QStringLiteral("Tavrilo G-Code (*.nc)"),
                       QString());
  }
  std::optional<QString> OpenProgram(QWidget* parent) override {
    return AskFileName(parent, QFileDialog::AcceptOpen, QStringLiteral("Tavrilo G-Code (*.nc)"),
                       QStringLiteral("nc"));
  }
  bool ConfirmOkCancel(QWidget* parent, const QString& text) override {
    return Ask(parent, text, QMessageBox::Ok, QMessageBox::Cancel);
  }
  bool ConfirmYesNo(QWidget* parent, const QString& text) override {
    return Ask(parent, text, QMessageBox::Yes, QMessageBox::No);
  }
  bool ConfirmReplace(QWidget* parent, const QString& text) override {
    return Ask(parent, text, QMessageBox::Yes, QMessageBox::No, QMessageBox::Warning, false);
  }
  void Information(QWidget* parent, const QString& text) override {
    // The texts end their lines with CR LF; the box wants plain line feeds.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Information, kBoxTitle, shown, QMessageBox::Ok, parent);
    box.exec();
  }
  void About(QWidget* parent, const QString& text) override {
    QMessageBox::about(parent, QCoreApplication::translate("Window", "О программе"), text);
  }
  void Error(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::Critical, kBoxTitle, text, QMessageBox::Ok, parent);
    box.exec();
  }
};

}  // namespace

std::unique_ptr<Dialogs> MakeQtDialogs() {
  return std::make_unique<QtDialogs>();
}

std::string FileNameText(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

std::string BaseName(const QString& name) {
  return QFileInfo(name).fileName().toStdString();
}

}  // namespace skelda
