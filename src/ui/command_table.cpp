// The window's commands, one row each: the controls that run it by object name (the same names
// find their status-bar hints in status_hints.cpp), the menu item's caption and what it runs.
// The menus are built from the rows, and every menu item, tool button and panel button is
// connected here. Each command runs either a handler of the window or, for a step on the
// picture alone, the toolkit-free routine itself, under the busy cursor, and is shown after.
#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <cstring>

#include "geometry/geometry_commands.h"
#include "processing/processing_commands.h"
#include "ui/machine_panel.h"
#include "ui/main_window.h"
#include "ui/preview_canvas.h"
#include "ui/status_hints.h"

namespace skelda {

struct WindowCommand {
  QMenu* TForm1::*menu = nullptr;  // the menu of the item
  QAction* TForm1::*item = nullptr;
  const char* itemName = nullptr;  // a row with a name and no caption is a separator
  const char* caption = nullptr;   // Russian, marked for translation and translated when shown
  const char* shortcut = nullptr;  // portable text; "A; B" gives the item two keys
  const char* toolButton = nullptr;
  const char* panelButton = nullptr;
  const char* machineButton = nullptr;  // a button of the machine panel
  const char* panelCaption = nullptr;   // the caption of either panel's button, as caption
  void (TForm1::*handler)() = nullptr;
  void (*step)(Workspace&) = nullptr;  // when there is no handler
  bool recorded = false;  // the state before it becomes an undo step when it changes anything
};

namespace {

using F = TForm1;
using W = Workspace;

const WindowCommand kCommands[] = {
    {.menu = &F::File1,
     .item = &F::N10,
     .itemName = "N10",
     .caption = QT_TRANSLATE_NOOP("Commands", "Загрузить изображение"),
     .shortcut = "Ctrl+O",
     .toolButton = "btn7",
     .panelButton = "LoadPic",
     .panelCaption = "Load",
     .handler = &F::LoadPicClick,
     .recorded = true},
    {.menu = &F::File1,
     .item = &F::N12,
     .itemName = "N12",
     .caption = QT_TRANSLATE_NOOP("Commands", "Сохранить изображение (*.bmp)"),
     .shortcut = "Ctrl+Shift+S",
     .handler = &F::N12Click},
    // Picture files as people have them.
    {.menu = &F::File1,
     .item = &F::SavePng1,
     .itemName = "SavePng1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Сохранить изображение (*.png)"),
     .handler = &F::SavePng1Click},
    {.menu = &F::File1,
     .item = &F::nc1,
     .itemName = "nc1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Создать и сохранить (*.nc)"),
     .shortcut = "Ctrl+S",
     .toolButton = "btn8",
     .panelButton = "btn1",
     .panelCaption = "G-Code *.nc",
     .handler = &F::btn1Click,
     .recorded = true},
    {.menu = &F::File1, .itemName = "N1"},
    {.menu = &F::File1,
     .item = &F::ExifTurn1,
     .itemName = "ExifTurn1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Поворачивать по EXIF"),
     .handler = &F::ExifTurn1Click},
    {.menu = &F::File1, .itemName = "ExifTurnSeparator1"},
    {.menu = &F::File1,
     .item = &F::N2,
     .itemName = "N2",
     .caption = QT_TRANSLATE_NOOP("Commands", "Выход"),
     .shortcut = "Ctrl+Q",
     .handler = &F::N2Click},
    // "Язык / Language": each language by its own name, in either language.
    {.menu = &F::Language1,
     .item = &F::LanguageRu1,
     .itemName = "LanguageRu1",
     .caption = "Русский",
     .handler = &F::LanguageItemClick<WindowLanguage::Russian>},
    {.menu = &F::Language1,
     .item = &F::LanguageEn1,
     .itemName = "LanguageEn1",
     .caption = "English",
     .handler = &F::LanguageItemClick<WindowLanguage::English>},

    // Taking back and repeating the steps that changed the picture.
    {.menu = &F::N17,
     .item = &F::Undo1,
     .itemName = "Undo1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Отменить"),
     .shortcut = "Ctrl+Z",
     .handler = &F::Undo1Click},
    {.menu = &F::N17,
     .item = &F::Redo1,
     .itemName = "Redo1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Повторить"),
     .shortcut = "Ctrl+Shift+Z; Ctrl+Y",
     .handler = &F::Redo1Click},
    {.menu = &F::N17, .itemName = "N19"},

    {.menu = &F::N17,
     .item = &F::N13,
     .itemName = "N13",
     .caption = QT_TRANSLATE_NOOP("Commands", "Отразить по горизонтали"),
     .toolButton = "btn25",
     .step = [](W& ws) { MirrorCommand(ws, true); },
     .recorded = true},
    {.menu = &F::N17,
     .item = &F::N14,
     .itemName = "N14",
     .caption = QT_TRANSLATE_NOOP("Commands", "Отразить по вертикали"),
     .toolButton = "btn24",
     .step = [](W& ws) { MirrorCommand(ws, false); },
     .recorded = true},
    {.menu = &F::N17,
     .item = &F::N901,
     .itemName = "N901",
     .caption = QT_TRANSLATE_NOOP("Commands", "Повернуть на 90 град."),
     .toolButton = "btn19",
     .step = [](W& ws) { RotateCommand(ws, 90.0); },
     .recorded = true},
    {.menu = &F::N17,
     .item = &F::N8,
     .itemName = "N8",
     .caption = QT_TRANSLATE_NOOP("Commands", "Инвертировать"),
     .toolButton = "btn20",
     .step = InvertCommand,
     .recorded = true},

    {.menu = &F::N3,
     .item = &F::N4,
     .itemName = "N4",
     .caption = QT_TRANSLATE_NOOP("Commands", "Оригинал"),
     .toolButton = "btn17",
     .handler = &F::N4Click,
     .recorded = true},
    {.menu = &F::N3,
     .item = &F::N5,
     .itemName = "N5",
     .caption = QT_TRANSLATE_NOOP("Commands", "Точечный Floyd-Steinberg"),
     .toolButton = "btn18",
     .panelButton = "btn3",
     .panelCaption = QT_TRANSLATE_NOOP("Commands", "Точками"),
     .step = DitherCommand},
    {.menu = &F::N3,
     .item = &F::N6,
     .itemName = "N6",
     .caption = QT_TRANSLATE_NOOP("Commands", "Точечный мутно"),
     .step = RandomThresholdCommand},
    {.menu = &F::N3,
     .item = &F::N7,
     .itemName = "N7",
     .caption = QT_TRANSLATE_NOOP("Commands", "Точечный разброс"),
     .step = RandomDitherCommand},
    {.menu = &F::N3,
     .item = &F::N11,
     .itemName = "N11",
     .caption = QT_TRANSLATE_NOOP("Commands", "Крестик 1"),
     .step = [](W& ws) { CrossCommand(ws, 1); }},
    {.menu = &F::N3,
     .item = &F::N21,
     .itemName = "N21",
     .caption = QT_TRANSLATE_NOOP("Commands", "Крестик 2"),
     .step = [](W& ws) { CrossCommand(ws, 2); }},
    {.menu = &F::N3,
     .item = &F::N31,
     .itemName = "N31",
     .caption = QT_TRANSLATE_NOOP("Commands", "Крестик 3"),
     .step = [](W& ws) { CrossCommand(ws, 3); }},
    {.menu = &F::N3,
     .item = &F::N41,
     .itemName = "N41",
     .caption = QT_TRANSLATE_NOOP("Commands", "Крестик 4"),
     .step = [](W& ws) { CrossCommand(ws, 4); }},
    {.menu = &F::N3,
     .item = &F::N15,
     .itemName = "N15",
     .caption = QT_TRANSLATE_NOOP("Commands", "Слабый разброс"),
     .step = [](W& ws) { ScatterCommand(ws, 2); },
     .recorded = true},
    {.menu = &F::N3,
     .item = &F::N16,
     .itemName = "N16",
     .caption = QT_TRANSLATE_NOOP("Commands", "Мутное стекло"),
     .step = [](W& ws) { ScatterCommand(ws, 5); },
     .recorded = true},
    {.menu = &F::N3,
     .item = &F::N18,
     .itemName = "N18",
     .caption = QT_TRANSLATE_NOOP("Commands", "Мозайка"),
     .step = MosaicCommand,
     .recorded = true},
    {.menu = &F::N3,
     .item = &F::N9,
     .itemName = "N9",
     .caption = QT_TRANSLATE_NOOP("Commands", "Черно-белое"),
     .handler = &F::N9Click},

    // "Другие методы" in "Эффекты" (DotMethodItems, in the order of DotMethod).
    {.menu = &F::DotMethods1,
     .itemName = "DotAtkinson1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Аткинсон"),
     .handler = &F::DotMethodItemClick<DotMethod::Atkinson>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotJarvis1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Джарвис — Джудис — Нинке"),
     .handler = &F::DotMethodItemClick<DotMethod::JarvisJudiceNinke>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotStucki1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Стуки"),
     .handler = &F::DotMethodItemClick<DotMethod::Stucki>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotBurkes1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Беркс"),
     .handler = &F::DotMethodItemClick<DotMethod::Burkes>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotSierra1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Серра"),
     .handler = &F::DotMethodItemClick<DotMethod::Sierra>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotSierra21",
     .caption = QT_TRANSLATE_NOOP("Commands", "Серра, две строки"),
     .handler = &F::DotMethodItemClick<DotMethod::TwoRowSierra>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotSierraLite1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Серра облегчённая"),
     .handler = &F::DotMethodItemClick<DotMethod::SierraLite>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotBayer1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Упорядоченный 8×8"),
     .handler = &F::DotMethodItemClick<DotMethod::Bayer8>,
     .recorded = true},
    {.menu = &F::DotMethods1,
     .itemName = "DotHalftone1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Полутоновый растр…"),
     .handler = &F::DotHalftoneClick,
     .recorded = true},
    {.menu = &F::DotMethods1, .itemName = ""},
    {.menu = &F::DotMethods1,
     .item = &F::Serpentine1,
     .itemName = "Serpentine1",
     .caption = QT_TRANSLATE_NOOP("Commands", "Змейкой"),
     .handler = &F::SerpentineClick,
     .recorded = true},

    {.menu = &F::N50,
     .item = &F::N51,
     .itemName = "N51",
     .caption = QT_TRANSLATE_NOOP("Commands", "Классический (G5, M40)"),
     .handler = &F::N51Click},
    {.menu = &F::N50,
     .item = &F::N52,
     .itemName = "N52",
     .caption = QT_TRANSLATE_NOOP("Commands", "GRBL 1.1, лазерный режим"),
     .handler = &F::N52Click},
    {.menu = &F::N50, .itemName = ""},
    {.menu = &F::N50,
     .item = &F::N53,
     .itemName = "N53",
     .caption = QT_TRANSLATE_NOOP("Commands", "Параметры станка…"),
     .handler = &F::N53Click},
    {.menu = &F::N50,
     .item = &F::N56,
     .itemName = "N56",
     .caption = QT_TRANSLATE_NOOP("Commands", "Просмотр прожига"),
     .handler = &F::N56Click},
    {.menu = &F::N50, .itemName = ""},
    {.menu = &F::N50,
     .item = &F::N54,
     .itemName = "N54",
     .caption = QT_TRANSLATE_NOOP("Commands", "Рамка…"),
     .handler = &F::N54Click},
    {.menu = &F::N50,
     .item = &F::N55,
     .itemName = "N55",
     .caption = QT_TRANSLATE_NOOP("Commands", "Тестовая сетка…"),
     .handler = &F::N55Click},
    {.menu = &F::N50, .itemName = ""},
    {.menu = &F::N50,
     .item = &F::N57,
     .itemName = "N57",
     .caption = QT_TRANSLATE_NOOP("Commands", "Подключить…"),
     .handler = &F::N57Click},
    {.menu = &F::N50,
     .item = &F::N58,
     .itemName = "N58",
     .caption = QT_TRANSLATE_NOOP("Commands", "Отключить"),
     .handler = &F::N58Click},
    {.menu = &F::N50,
     .item = &F::N59,
     .itemName = "N59",
     .caption = QT_TRANSLATE_NOOP("Commands", "Отправить на станок"),
     .handler = &F::N59Click},
    {.menu = &F::N50,
     .item = &F::N60,
     .itemName = "N60",
     .caption = QT_TRANSLATE_NOOP("Commands", "Отправить файл…"),
     .handler = &F::N60Click},
    {.menu = &F::N50,
     .item = &F::N61,
     .itemName = "N61",
     .caption = QT_TRANSLATE_NOOP("Commands", "Рамка на станке"),
     .handler = &F::N61Click},
    {.menu = &F::N50,
     .item = &F::N62,
     .itemName = "N62",
     .caption = QT_TRANSLATE_NOOP("Commands", "Домой ($H)"),
     .handler = &F::N62Click},
    {.menu = &F::N50,
     .item = &F::N63,
     .itemName = "N63",
     .caption = QT_TRANSLATE_NOOP("Commands", "Разблокировать ($X)"),
     .handler = &F::N63Click},
    {.menu = &F::N50,
     .item = &F::N64,
     .itemName = "N64",
     .caption = QT_TRANSLATE_NOOP("Commands", "Ноль здесь"),
     .handler = &F::N64Click},

    // The machine panel's buttons.
    {.machineButton = "btnJogXMinus", .panelCaption = "X−", .handler = &F::JogClick<-1, 0>},
    {.machineButton = "btnJogXPlus", .panelCaption = "X+", .handler = &F::JogClick<1, 0>},
    {.machineButton = "btnJogYMinus", .panelCaption = "Y−", .handler = &F::JogClick<0, -1>},
    {.machineButton = "btnJogYPlus", .panelCaption = "Y+", .handler = &F::JogClick<0, 1>},
    {.machineButton = "btnJogCancel", .panelCaption = "■", .handler = &F::JogCancelClick},
    {.machineButton = "btnPause",
     .panelCaption = QT_TRANSLATE_NOOP("Commands", "Пауза"),
     .handler = &F::PauseClick},
    {.machineButton = "btnStop",
     .panelCaption = QT_TRANSLATE_NOOP("Commands", "Стоп"),
     .handler = &F::StopClick},
    {.machineButton = "btnFeedMinus",
     .panelCaption = "−10 %",
     .handler = &F::FeedOverrideClick<Override::Minus10>},
    {.machineButton = "btnFeed100",
     .panelCaption = "100 %",
     .handler = &F::FeedOverrideClick<Override::Reset>},
    {.machineButton = "btnFeedPlus",
     .panelCaption = "+10 %",
     .handler = &F::FeedOverrideClick<Override::Plus10>},
    {.machineButton = "btnPowerMinus",
     .panelCaption = "−10 %",
     .handler = &F::PowerOverrideClick<Override::Minus10>},
    {.machineButton = "btnPower100",
     .panelCaption = "100 %",
     .handler = &F::PowerOverrideClick<Override::Reset>},
    {.machineButton = "btnPowerPlus",
     .panelCaption = "+10 %",
     .handler = &F::PowerOverrideClick<Override::Plus10>},

    {.menu = &F::Help1,
     .item = &F::About1,
     .itemName = "About1",
     .caption = QT_TRANSLATE_NOOP("Commands", "О программе"),
     .shortcut = "F1",
     .handler = &F::About1Click},

    // Buttons alone.
    {.panelButton = "btn5", .panelCaption = "S", .handler = &F::btn5Click, .recorded = true},
    {.panelButton = "btn6", .panelCaption = "S", .handler = &F::btn6Click, .recorded = true},
    {.toolButton = "btn22",
     .panelButton = "btn2",
     .panelCaption = QT_TRANSLATE_NOOP("Commands", "Черно-белое"),
     .handler = &F::btn2Click},
    {.panelButton = "btn4",
     .panelCaption = QT_TRANSLATE_NOOP("Commands", "Применить"),
     .handler = &F::btn4Click,
     .recorded = true},
    {.toolButton = "btn12", .handler = &F::btn12Click, .recorded = true},  // confirm
    {.toolButton = "btn21", .step = [](W& ws) { RotateCommand(ws, -90.0); }, .recorded = true},
    {.toolButton = "btn9", .handler = &F::btn9Click},  // fit to window
    {.toolButton = "btn11", .step = [](W& ws) { ws.ShownBitmap = ws.BaseBitmap; }},  // 1:1
    {.toolButton = "btn13", .handler = &F::btn13Click},  // the warp tool
};

}  // namespace

namespace {

// A caption of the table in the language in use.
QString CommandText(const char* caption) {
  return QCoreApplication::translate("Commands", caption);
}

QString Caption(const char* WindowCommand::*button, const char* name) {
  for (const WindowCommand& c : kCommands)
    if (c.*button != nullptr && std::strcmp(c.*button, name) == 0)
      return CommandText(c.panelCaption);
  return QString();
}

}  // namespace

QString PanelCaption(const char* panelButton) {
  return Caption(&WindowCommand::panelButton, panelButton);
}

QString MachineButtonCaption(const char* name) {
  return Caption(&WindowCommand::machineButton, name);
}

void TForm1::AddCommandItems(QMenu* menu) {
  for (const WindowCommand& c : kCommands) {
    if (c.menu == nullptr || this->*c.menu != menu) continue;
    if (c.caption == nullptr) {
      menu->addSeparator()->setObjectName(QLatin1String(c.itemName));
      continue;
    }
    QAction* action = menu->addAction(CommandText(c.caption));
    action->setObjectName(QLatin1String(c.itemName));
    if (c.shortcut != nullptr) {
      action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(c.shortcut)));
      addAction(action);  // the keys work while the menu is off ("Редактировать" before a load)
    }
    // The status bar shows an item's hint while the item is highlighted.
    action->setStatusTip(HintFor(action->objectName()));
    if (c.item != nullptr) this->*c.item = action;
  }
}

// The machine panel shows its own buttons' captions (one of them follows the job's state).
void TForm1::ShowCommandTexts() {
  for (const WindowCommand& c : kCommands) {
    if (c.menu != nullptr && c.caption != nullptr)
      (this->*c.menu)
          ->findChild<QAction*>(QLatin1String(c.itemName))
          ->setText(CommandText(c.caption));
    if (c.panelButton != nullptr)
      pnl1->findChild<QAbstractButton*>(QLatin1String(c.panelButton))
          ->setText(CommandText(c.panelCaption));
  }
}

void TForm1::Run(const WindowCommand& c) {
  const auto run = [&] {
    if (c.handler != nullptr) {
      (this->*c.handler)();
      return;
    }
    RunBusy([&] {
      c.step(ws_);
      RefreshPreview();
    });
  };
  if (c.recorded)
    RunRecorded(run);
  else
    run();
}

void TForm1::ConnectCommands() {
  for (const WindowCommand& c : kCommands) {
    const auto run = [this, &c] { Run(c); };
    if (c.menu != nullptr && c.caption != nullptr)
      connect((this->*c.menu)->findChild<QAction*>(QLatin1String(c.itemName)), &QAction::triggered,
              this, run);
    if (c.toolButton != nullptr)
      connect(tlb1->findChild<QAbstractButton*>(QLatin1String(c.toolButton)),
              &QAbstractButton::clicked, this, run);
    if (c.panelButton != nullptr)
      connect(pnl1->findChild<QAbstractButton*>(QLatin1String(c.panelButton)),
              &QAbstractButton::clicked, this, run);
    if (c.machineButton != nullptr)
      connect(pnlMachine->findChild<QAbstractButton*>(QLatin1String(c.machineButton)),
              &QAbstractButton::clicked, this, run);
  }

  connect(edt1, &QLineEdit::returnPressed, this, &TForm1::edt1KeyPress);
  connect(edt4, &QLineEdit::returnPressed, this, &TForm1::edt4KeyPress);
  connect(trckbrTrackSeuil, &QSlider::valueChanged, this, &TForm1::trckbrTrackSeuilChange);
  ConnectToneSliders();
  connect(chk1, &QCheckBox::clicked, this, &TForm1::UpdateActions);
  connect(canvas_, &PreviewCanvas::mousePressed, this, &TForm1::FormMouseDown);
  connect(canvas_, &PreviewCanvas::mouseMoved, this, &TForm1::FormMouseMove);
  connect(canvas_, &PreviewCanvas::mouseReleased, this, &TForm1::FormMouseUp);
  WatchKeypadFields();
}

}  // namespace skelda
