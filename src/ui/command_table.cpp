// The window's commands, one row each: the controls that run it by object name (the same names
// find their status-bar hints in status_hints.cpp), the menu item's caption and what it runs.
// The menus are built from the rows, and every menu item, tool button and panel button is
// connected here. Each command runs either a handler of the window or, for a step on the
// picture alone, the toolkit-free routine itself, under the busy cursor, and is shown after.
#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <cstring>

#include "geometry/geometry_commands.h"
#include "processing/processing_commands.h"
#include "ui/main_window.h"
#include "ui/preview_canvas.h"
#include "ui/status_hints.h"

namespace skelda {

struct WindowCommand {
  QMenu* TForm1::*menu = nullptr;  // the menu of the item
  QAction* TForm1::*item = nullptr;
  const char* itemName = nullptr;  // a row with a name and no caption is a separator
  const char* caption = nullptr;
  const char* toolButton = nullptr;
  const char* panelButton = nullptr;
  const char* panelCaption = nullptr;
  void (TForm1::*handler)() = nullptr;
  void (*step)(Workspace&) = nullptr;  // when there is no handler
};

namespace {

using F = TForm1;
using W = Workspace;

// clang-format off
const WindowCommand kCommands[] = {
  // menu     item      name    caption                          tool     panel      panel caption   handler or step
  {&F::File1, &F::N10,  "N10",  "Загрузить изображение",         "btn7",  "LoadPic", "Load",        &F::LoadPicClick},
  {&F::File1, &F::N12,  "N12",  "Сохранить изображение (*.bmp)", nullptr, nullptr,   nullptr,       &F::N12Click},
  {&F::File1, &F::nc1,  "nc1",  "Создать и сохранить (*.nc)",    "btn8",  "btn1",    "G-Code *.nc", &F::btn1Click},
  {&F::File1, nullptr,  "N1"},
  {&F::File1, &F::N2,   "N2",   "Выход",                         nullptr, nullptr,   nullptr,       &F::N2Click},

  {&F::N17, &F::N13,  "N13",  "Отразить по горизонтали", "btn25", nullptr, nullptr, nullptr, [](W& ws) { MirrorCommand(ws, true); }},
  {&F::N17, &F::N14,  "N14",  "Отразить по вертикали",   "btn24", nullptr, nullptr, nullptr, [](W& ws) { MirrorCommand(ws, false); }},
  {&F::N17, &F::N901, "N901", "Повернуть на 90 град.",   "btn19", nullptr, nullptr, nullptr, [](W& ws) { RotateCommand(ws, 90.0); }},
  {&F::N17, &F::N8,   "N8",   "Инвертировать",           "btn20", nullptr, nullptr, nullptr, InvertCommand},

  {&F::N3, &F::N4,  "N4",  "Оригинал",                 "btn17", nullptr, nullptr,   &F::N4Click},
  {&F::N3, &F::N5,  "N5",  "Точечный Floyd-Steinberg", "btn18", "btn3",  "Точками", nullptr, DitherCommand},
  {&F::N3, &F::N6,  "N6",  "Точечный мутно",           nullptr, nullptr, nullptr,   nullptr, RandomThresholdCommand},
  {&F::N3, &F::N7,  "N7",  "Точечный разброс",         nullptr, nullptr, nullptr,   nullptr, RandomDitherCommand},
  {&F::N3, &F::N11, "N11", "Крестик 1",                nullptr, nullptr, nullptr,   nullptr, [](W& ws) { CrossCommand(ws, 1); }},
  {&F::N3, &F::N21, "N21", "Крестик 2",                nullptr, nullptr, nullptr,   nullptr, [](W& ws) { CrossCommand(ws, 2); }},
  {&F::N3, &F::N31, "N31", "Крестик 3",                nullptr, nullptr, nullptr,   nullptr, [](W& ws) { CrossCommand(ws, 3); }},
  {&F::N3, &F::N41, "N41", "Крестик 4",                nullptr, nullptr, nullptr,   nullptr, [](W& ws) { CrossCommand(ws, 4); }},
  {&F::N3, &F::N15, "N15", "Слабый разброс",           nullptr, nullptr, nullptr,   nullptr, [](W& ws) { ScatterCommand(ws, 2); }},
  {&F::N3, &F::N16, "N16", "Мутное стекло",            nullptr, nullptr, nullptr,   nullptr, [](W& ws) { ScatterCommand(ws, 5); }},
  {&F::N3, &F::N18, "N18", "Мозайка",                  nullptr, nullptr, nullptr,   nullptr, MosaicCommand},
  {&F::N3, &F::N9,  "N9",  "Черно-белое",              nullptr, nullptr, nullptr,   &F::N9Click},

  // "Другие методы" in "Эффекты" (DotMethodItems, in the order of DotMethod).
  {&F::DotMethods1, nullptr, "DotAtkinson1",   "Аткинсон",                 nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::Atkinson>},
  {&F::DotMethods1, nullptr, "DotJarvis1",     "Джарвис — Джудис — Нинке", nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::JarvisJudiceNinke>},
  {&F::DotMethods1, nullptr, "DotStucki1",     "Стуки",                    nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::Stucki>},
  {&F::DotMethods1, nullptr, "DotBurkes1",     "Беркс",                    nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::Burkes>},
  {&F::DotMethods1, nullptr, "DotSierra1",     "Серра",                    nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::Sierra>},
  {&F::DotMethods1, nullptr, "DotSierra21",    "Серра, две строки",        nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::TwoRowSierra>},
  {&F::DotMethods1, nullptr, "DotSierraLite1", "Серра облегчённая",        nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::SierraLite>},
  {&F::DotMethods1, nullptr, "DotBayer1",      "Упорядоченный 8×8",        nullptr, nullptr, nullptr, &F::DotMethodItemClick<DotMethod::Bayer8>},
  {&F::DotMethods1, nullptr, ""},
  {&F::DotMethods1, &F::Serpentine1, "Serpentine1", "Змейкой",             nullptr, nullptr, nullptr, &F::SerpentineClick},

  {&F::N50, &F::N51, "N51", "Классический (G5, M40)",   nullptr, nullptr, nullptr, &F::N51Click},
  {&F::N50, &F::N52, "N52", "GRBL 1.1, лазерный режим", nullptr, nullptr, nullptr, &F::N52Click},
  {&F::N50, nullptr, ""},
  {&F::N50, &F::N53, "N53", "Параметры станка…",        nullptr, nullptr, nullptr, &F::N53Click},
  {&F::N50, &F::N56, "N56", "Просмотр прожига",         nullptr, nullptr, nullptr, &F::N56Click},
  {&F::N50, nullptr, ""},
  {&F::N50, &F::N54, "N54", "Рамка…",                   nullptr, nullptr, nullptr, &F::N54Click},
  {&F::N50, &F::N55, "N55", "Тестовая сетка…",          nullptr, nullptr, nullptr, &F::N55Click},

  // Buttons alone.
  {nullptr, nullptr, nullptr, nullptr, nullptr, "btn5",  "S",           &F::btn5Click},  // to the width
  {nullptr, nullptr, nullptr, nullptr, nullptr, "btn6",  "S",           &F::btn6Click},  // to the height
  {nullptr, nullptr, nullptr, nullptr, "btn22", "btn2",  "Черно-белое", &F::btn2Click},
  {nullptr, nullptr, nullptr, nullptr, nullptr, "btn4",  "Применить",   &F::btn4Click},
  {nullptr, nullptr, nullptr, nullptr, "btn12", nullptr, nullptr,       &F::btn12Click},  // confirm
  {nullptr, nullptr, nullptr, nullptr, "btn21", nullptr, nullptr,       nullptr, [](W& ws) { RotateCommand(ws, -90.0); }},
  {nullptr, nullptr, nullptr, nullptr, "btn9",  nullptr, nullptr,       &F::btn9Click},  // fit to window
  {nullptr, nullptr, nullptr, nullptr, "btn11", nullptr, nullptr,       nullptr, [](W& ws) { ws.ShownBitmap = ws.BaseBitmap; }},  // 1:1
  {nullptr, nullptr, nullptr, nullptr, "btn13", nullptr, nullptr,       &F::btn13Click},  // the warp tool
};
// clang-format on

}  // namespace

QString PanelCaption(const char* panelButton) {
  for (const WindowCommand& c : kCommands)
    if (c.panelButton != nullptr && std::strcmp(c.panelButton, panelButton) == 0)
      return QString::fromUtf8(c.panelCaption);
  return QString();
}

void TForm1::AddCommandItems(QMenu* menu) {
  for (const WindowCommand& c : kCommands) {
    if (c.menu == nullptr || this->*c.menu != menu) continue;
    if (c.caption == nullptr) {
      menu->addSeparator()->setObjectName(QLatin1String(c.itemName));
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(c.caption));
    action->setObjectName(QLatin1String(c.itemName));
    // The status bar shows an item's hint while the item is highlighted.
    action->setStatusTip(HintFor(action->objectName()));
    if (c.item != nullptr) this->*c.item = action;
  }
}

void TForm1::Run(const WindowCommand& c) {
  if (c.handler != nullptr) {
    (this->*c.handler)();
    return;
  }
  RunBusy([&] {
    c.step(ws_);
    RefreshPreview();
  });
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
