#include "ui/Unit1.h"

#include <QLabel>
#include <QLineEdit>

#include "intake/intake_commands.h"
#include "ui/error_box.h"
#include "ui/preview_canvas.h"
#include "ui/status_hints.h"

namespace skelda {

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs ? std::move(dialogs) : MakeQtDialogs()) {
  BuildWindow();
  FormCreate();
  ConnectCommands();
  InstallStatusHints(*this, *stat1);
}

TForm1::~TForm1() = default;

// Start-up: the start picture in both bitmaps, the commands that need a picture disabled, the
// default dot size and resolution.
void TForm1::FormCreate() {
  ws_.StartUp();
  UpdateActions();
  edt1->setText(QStringLiteral("0.2"));
  edt4->setText(QStringLiteral("127"));
  RefreshPreview();
}

void TForm1::RunCommand(const std::function<void()>& command) {
  if (canvas_->ShownBitmap() == &burnPicture_) RefreshPreview();  // a burn preview lasts until now
  RunGuarded(*dialogs_, this, command);
}

void TForm1::ShowSizeFields(const SizeFields& fields) {
  edt2->setText(QString::fromStdString(fields.widthMm));
  edt5->setText(QString::fromStdString(fields.widthDots));
  edt3->setText(QString::fromStdString(fields.heightMm));
  edt6->setText(QString::fromStdString(fields.heightDots));
}

void TForm1::SetLabel(QLabel* label, const std::string& text) {
  label->setText(QString::fromStdString(text));
  label->adjustSize();
}

void TForm1::RefreshPreview() {
  canvas_->ShowBitmap(&ws_.ShownBitmap);
  canvas_->repaint();
}

}  // namespace skelda
