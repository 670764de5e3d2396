#include "ui/main_window.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include "core/numbers.h"
#include "intake/intake_commands.h"
#include "ui/busy_cursor.h"
#include "ui/error_box.h"
#include "ui/machine_link.h"
#include "ui/preview_canvas.h"
#include "ui/status_hints.h"
#include "ui/window_texts.h"

namespace skelda {

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs ? std::move(dialogs) : MakeQtDialogs()) {
  BuildWindow();
  FormCreate();
  ConnectCommands();
  InstallStatusHints(*this, *stat1);
}

// The session's safe stop runs while the window is still whole.
TForm1::~TForm1() {
  delete link_;
}

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
  ShowPictureSize(false);
}

void TForm1::RunBusy(const std::function<void()>& command) {
  RunCommand([&] {
    BusyCursor busy;
    command();
  });
}

bool TForm1::MayReplace(const QString& fileName) {
  const QFileInfo file(fileName);
  if (!file.exists() || file.isDir()) return true;
  return dialogs_->ConfirmReplace(
      this, tr("Файл уже существует. Заменить?\n") + QDir::toNativeSeparators(fileName));
}

// A long text shows its beginning: the leading digits of a size matter most.
void TForm1::ShowSizeFields(const SizeFields& fields) {
  const std::pair<QLineEdit*, const std::string*> texts[] = {{edt2, &fields.widthMm},
                                                             {edt5, &fields.widthDots},
                                                             {edt3, &fields.heightMm},
                                                             {edt6, &fields.heightDots}};
  for (const auto& [field, text] : texts) {
    field->setText(QString::fromStdString(*text));
    field->setCursorPosition(0);
  }
}

// Once a load has filled the size fields, they show the size of the picture that is shown (the
// one a save or the G-code writes): all four again when its size in dots has changed or, with
// dotChanged, in any case. While the dot size is not a number, only the dots are written.
void TForm1::ShowPictureSize(bool dotChanged) {
  if (edt5->text().isEmpty()) return;
  const QString width = QString::number(ws_.ShownBitmap.Width());
  const QString height = QString::number(ws_.ShownBitmap.Height());
  if (!dotChanged && edt5->text() == width && edt6->text() == height) return;
  long double dot = 0;
  if (!TryStrToFloat(edt1->text().toStdString(), dot)) {
    edt5->setText(width);
    edt6->setText(height);
    return;
  }
  ShowSizeFields(SizeFieldsFor(ws_.ShownBitmap.Width(), ws_.ShownBitmap.Height(), double(dot),
                               LineIntervalMm()));
}

double TForm1::LineIntervalMm() const {
  return machine_.machine == Machine::Grbl ? machine_.lineIntervalMm : 0;
}

void TForm1::FollowLineInterval(double before) {
  if (LineIntervalMm() != before) ShowPictureSize(true);
}

namespace {

constexpr char kLabelTextProperty[] = "skeldaLabelText";

// The names the slider routines begin their labels with ("Резкость 0%").
[[maybe_unused]] const char* const kSliderNames[] = {
    QT_TRANSLATE_NOOP("Window", "Черно-белое"), QT_TRANSLATE_NOOP("Window", "Резкость"),
    QT_TRANSLATE_NOOP("Window", "Яркость"), QT_TRANSLATE_NOOP("Window", "Контрастность")};

}  // namespace

void TForm1::SetLabel(QLabel* label, const std::string& text) {
  const QString given = QString::fromStdString(text);
  label->setProperty(kLabelTextProperty, given);
  const qsizetype space = given.lastIndexOf(QLatin1Char(' '));
  label->setText(space < 0 ? given
                           : WindowText(given.left(space).toUtf8().constData()) + given.mid(space));
  label->adjustSize();
}

std::string TForm1::LabelText(const QLabel* label) {
  return label->property(kLabelTextProperty).toString().toStdString();
}

void TForm1::RefreshPreview() {
  canvas_->ShowBitmap(&ws_.ShownBitmap);
  canvas_->repaint();
}

}  // namespace skelda
