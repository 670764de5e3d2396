// Picture files as people have them: the PNG save, the EXIF turn, the last five pictures, and a
// picture dropped on the window or named on the command line.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "intake/intake_commands.h"
#include "ui/busy_cursor.h"
#include "ui/main_window.h"
#include "ui/status_hints.h"
#include "ui/window_texts.h"

namespace skelda {
namespace {

constexpr int kRecentFiles = 5;
const QString kRecentKey = QStringLiteral("pictures/recent");
const QString kTurnKey = QStringLiteral("pictures/turnUpright");

QSettings Store() {
  return QSettings(QStringLiteral("Skelda"), QStringLiteral("skelda"));
}

// The one local file a drag carries, or an empty name.
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return QString();
  const QUrl url = data->urls().constFirst();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void TForm1::BuildPictureFileItems() {
  Recent1 = new QMenu(File1);
  SetWindowText(*Recent1->menuAction(), QT_TRANSLATE_NOOP("Window", "Последние файлы"));
  Recent1->setObjectName(QStringLiteral("Recent1"));
  Recent1->menuAction()->setObjectName(QStringLiteral("Recent1"));
  Recent1->menuAction()->setStatusTip(HintFor(QStringLiteral("Recent1")));
  File1->insertMenu(N12, Recent1);
  ExifTurn1->setCheckable(true);
  ExifTurn1->setChecked(Store().value(kTurnKey, true).toBool());
  ShowRecentFiles();
  setAcceptDrops(true);
}

void TForm1::ShowRecentFiles() {
  Recent1->clear();
  const QStringList names = Store().value(kRecentKey).toStringList();
  for (const QString& name : names) {
    QAction* item = Recent1->addAction(QFileInfo(name).fileName());
    item->setStatusTip(name);
    connect(item, &QAction::triggered, this, [this, name] { OpenPictureNamed(name); });
  }
  Recent1->menuAction()->setEnabled(!names.isEmpty());
}

void TForm1::RememberRecentFile(const QString& fileName) {
  const QString name = QFileInfo(fileName).absoluteFilePath();
  QStringList names = Store().value(kRecentKey).toStringList();
  names.removeAll(name);
  names.prepend(name);
  Store().setValue(kRecentKey, names.mid(0, kRecentFiles));
  ShowRecentFiles();
}

void TForm1::SavePng1Click() {
  RunCommand([this] {
    std::optional<QString> name = dialogs_->SavePicturePng(this);
    if (!name) return;
    const std::string target = PngSaveName(FileNameText(*name));
    if (!MayReplace(QFile::decodeName(target.c_str()))) return;
    BusyCursor busy;
    SavePicturePng(ws_, FileNameText(*name));
  });
}

void TForm1::ExifTurn1Click() {
  Store().setValue(kTurnKey, ExifTurn1->isChecked());
}

void TForm1::OpenPictureNamed(const QString& fileName) {
  RunCommand([this, fileName] { LoadPicture(fileName); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString name = DraggedFile(event->mimeData());
  if (name.isEmpty()) return;
  event->acceptProposedAction();
  OpenPictureNamed(name);
}

}  // namespace skelda
