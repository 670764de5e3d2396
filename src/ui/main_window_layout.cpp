// The main window's controls: side panel, tool bar, menus and status bar, at the positions,
// captions, ranges and start states of the form.
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "processing/processing_commands.h"
#include "ui/machine_panel.h"
#include "ui/main_window.h"
#include "ui/preview_canvas.h"
#include "ui/status_hints.h"
#include "ui/tool_images.h"
#include "ui/window_texts.h"
#include "ui/window_title.h"

namespace skelda {
namespace {

constexpr int kClientWidth = 816;
constexpr int kClientHeight = 495;
constexpr int kPanelWidth = 210;
constexpr int kToolBarHeight = 58;
constexpr int kStatusBarHeight = 19;
constexpr int kToolButtonWidth = 55;
constexpr int kToolButtonHeight = 54;
constexpr int kToolImageSide = 48;
constexpr int kSeparatorWidth = 8;
constexpr int kToolBarTop = 2;
constexpr int kSliderTick = 16;

// A readable sans-serif face at the size of the classic 8-point dialog font (11 pixels).
QFont ControlFont(int pixelSize = 11) {
  QFont font;
  font.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  return font;
}

// source: the label's text, marked for translation (or empty for a slider's label, which the
// slider's routine writes).
QLabel* MakeLabel(QWidget* parent, const char* name, const char* source, int left, int top) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  if (*source != 0) SetWindowText(*label, source);
  label->move(left, top);
  label->adjustSize();
  return label;
}

// The panel's edit fields have a flat one-pixel border.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    bool enabled) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(QLatin1String(name));
  edit->setGeometry(geometry);
  edit->setEnabled(enabled);
  edit->setStyleSheet(
      QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; background: white; padding: 0px 1px; }"
                     "QLineEdit:disabled { background: #ececec; color: #808080; }"));
  return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* name, QRect geometry) {
  auto* button = new QPushButton(PanelCaption(name), parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  return button;
}

QSlider* MakeSlider(QWidget* parent, const char* name, int minimum, int maximum, int position,
                    int left, int top) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setObjectName(QLatin1String(name));
  slider->setRange(minimum, maximum);
  slider->setValue(position);
  slider->setTickInterval(kSliderTick);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setPageStep(2);
  slider->setGeometry(left, top, 98, 20);
  return slider;
}

QToolButton* MakeToolButton(QWidget* bar, const char* name, int imageIndex, int& x) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QLatin1String(name));
  button->setIcon(QIcon(ToolImage(imageIndex)));
  button->setIconSize(QSize(kToolImageSide, kToolImageSide));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setGeometry(x, kToolBarTop, kToolButtonWidth, kToolButtonHeight);
  x += kToolButtonWidth;
  return button;
}

void AddSeparator(QWidget* bar, const char* name, int& x) {
  auto* line = new QFrame(bar);
  line->setObjectName(QLatin1String(name));
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(x, kToolBarTop + 4, kSeparatorWidth, kToolButtonHeight - 8);
  x += kSeparatorWidth;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString());
  SetWindowText(*menu->menuAction(), caption);
  menu->setObjectName(QLatin1String(name));
  menu->menuAction()->setObjectName(QLatin1String(name));
  menu->setFont(ControlFont());
  return menu;
}

}  // namespace

void TForm1::BuildWindow() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(MainWindowTitle());
  setWindowIcon(WindowIcon());
  setFont(ControlFont());
  // The status bar shows the help texts; tool tips and the tool bar's context menu stay off.
  setContextMenuPolicy(Qt::NoContextMenu);

  auto* central = new QWidget(this);
  auto* rows = new QVBoxLayout(central);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  auto* top = new QHBoxLayout;
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(0);
  canvas_ = new PreviewCanvas(central);
  top->addWidget(canvas_, 1);
  BuildPanel();
  pnl1->setParent(central);
  FitPanelToFont();  // with the window's font, which the panel has from here on
  top->addWidget(pnl1);
  // Beside the side panel, so that the picture keeps its whole area: the window grows by the
  // panel's width while a controller is connected (NormalSize).
  pnlMachine = new MachinePanel(central);
  pnlMachine->hide();
  top->addWidget(pnlMachine);
  rows->addLayout(top, 1);
  BuildToolBar();
  tlb1->setParent(central);
  rows->addWidget(tlb1);
  setCentralWidget(central);

  BuildMenus();
  stat1 = new QStatusBar(this);
  stat1->setObjectName(QStringLiteral("stat1"));
  stat1->setSizeGripEnabled(false);
  stat1->setFixedHeight(kStatusBarHeight);
  setStatusBar(stat1);

  KeepNormalSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), NormalSize());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TForm1::BuildPanel() {
  pnl1 = new QFrame;
  pnl1->setObjectName(QStringLiteral("pnl1"));
  pnl1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  pnl1->setLineWidth(1);
  pnl1->setFixedWidth(kPanelWidth);
  QWidget* p = pnl1;

  lbl1 = MakeLabel(p, "lbl1", QT_TRANSLATE_NOOP("Window", "Размер точки"), 19, 8);
  edt1 = MakeEdit(p, "edt1", QStringLiteral("0.2"), {16, 24, 41, 19}, true);
  edt4 = MakeEdit(p, "edt4", QStringLiteral("127"), {56, 24, 41, 19}, true);
  lbl8 = MakeLabel(p, "lbl8", QT_TRANSLATE_NOOP("Window", "        мм.       dpi"), 16, 40);
  lbl2 = MakeLabel(p, "lbl2", QT_TRANSLATE_NOOP("Window", "Размер по X"), 17, 56);
  edt5 = MakeEdit(p, "edt5", QString(), {16, 72, 33, 19}, false);
  edt2 = MakeEdit(p, "edt2", QString(), {48, 72, 33, 19}, true);
  btn5 = MakeButton(p, "btn5", {82, 72, 17, 19});
  lbl3 = MakeLabel(p, "lbl3", QT_TRANSLATE_NOOP("Window", "Размер по Y"), 17, 96);
  edt6 = MakeEdit(p, "edt6", QString(), {16, 112, 33, 19}, false);
  edt3 = MakeEdit(p, "edt3", QString(), {48, 112, 33, 19}, true);
  btn6 = MakeButton(p, "btn6", {82, 112, 17, 19});
  lbl4 = MakeLabel(p, "lbl4", QT_TRANSLATE_NOOP("Window", " пикс.    мм."), 17, 128);
  lbl10 = MakeLabel(p, "lbl10", "", 10, 152);
  trckbrTrackSeuil = MakeSlider(p, "trckbrTrackSeuil", 0, 256, 128, 7, 165);
  btn2 = MakeButton(p, "btn2", {16, 192, 81, 25});
  btn3 = MakeButton(p, "btn3", {16, 224, 81, 25});
  btn4 = MakeButton(p, "btn4", {16, 256, 81, 25});

  lbl5 = MakeLabel(p, "lbl5", "", 106, 8);
  trckbr1 = MakeSlider(p, "trckbr1", -100, 100, 0, 103, 21);
  lbl11 = MakeLabel(p, "lbl11", "", 106, 40);
  trckbr2 = MakeSlider(p, "trckbr2", -200, 200, 0, 103, 53);
  lbl12 = MakeLabel(p, "lbl12", "", 106, 72);
  trckbr3 = MakeSlider(p, "trckbr3", -100, 100, 0, 103, 85);
  // The sliders' labels as their routines write them at the start positions.
  SetLabel(lbl10, ThresholdLabel(trckbrTrackSeuil->value()));
  SetLabel(lbl5, SharpnessLabel(trckbr1->value()));
  SetLabel(lbl11, BrightnessLabel(trckbr2->value()));
  SetLabel(lbl12, ContrastLabel(trckbr3->value()));
  lbl6 = MakeLabel(p, "lbl6", QT_TRANSLATE_NOOP("Window", "Время прожига"), 113, 112);
  edt7 = MakeEdit(p, "edt7", QStringLiteral("1"), {128, 128, 41, 19}, true);
  lbl7 = MakeLabel(p, "lbl7", QT_TRANSLATE_NOOP("Window", "мс."), 174, 134);
  chk1 = new QCheckBox(p);
  SetWindowText(*chk1, QT_TRANSLATE_NOOP("Window", "Лин.\\Точки"));
  chk1->setObjectName(QStringLiteral("chk1"));
  chk1->setGeometry(112, 152, 81, 17);
  lbl9 = MakeLabel(p, "lbl9", "F", 112, 168);
  lbl9->setFont(ControlFont(16));
  lbl9->adjustSize();
  edt8 = MakeEdit(p, "edt8", QStringLiteral("300"), {128, 168, 65, 19}, false);
  btn1 = MakeButton(p, "btn1", {112, 192, 81, 25});

  LoadPic = new QToolButton(p);
  LoadPic->setObjectName(QStringLiteral("LoadPic"));
  LoadPic->setText(PanelCaption("LoadPic"));
  LoadPic->setIcon(QIcon(LoadGlyph()));
  LoadPic->setIconSize(QSize(32, 32));
  LoadPic->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  LoadPic->setGeometry(112, 224, 81, 57);

  edt9 = new QLineEdit(p);
  edt9->setObjectName(QStringLiteral("edt9"));
  edt9->setGeometry(16, 304, 89, 21);
  edt9->hide();
}

void TForm1::BuildToolBar() {
  tlb1 = new QFrame;
  tlb1->setObjectName(QStringLiteral("tlb1"));
  tlb1->setFixedHeight(kToolBarHeight);
  tlb1->setStyleSheet(QStringLiteral("QFrame#tlb1 { border-top: 1px solid #a0a0a0; }"));
  QWidget* bar = tlb1;
  int x = 0;
  AddSeparator(bar, "btn14", x);
  btn9 = MakeToolButton(bar, "btn9", 4, x);
  btn11 = MakeToolButton(bar, "btn11", 10, x);
  AddSeparator(bar, "btn10", x);
  btn21 = MakeToolButton(bar, "btn21", 17, x);
  btn19 = MakeToolButton(bar, "btn19", 16, x);
  btn24 = MakeToolButton(bar, "btn24", 18, x);
  btn25 = MakeToolButton(bar, "btn25", 19, x);
  AddSeparator(bar, "btn16", x);
  btn17 = MakeToolButton(bar, "btn17", 14, x);
  btn18 = MakeToolButton(bar, "btn18", 15, x);
  btn22 = MakeToolButton(bar, "btn22", 13, x);
  btn20 = MakeToolButton(bar, "btn20", 21, x);
  btn13 = MakeToolButton(bar, "btn13", 23, x);
  btn12 = MakeToolButton(bar, "btn12", 22, x);
  AddSeparator(bar, "btn15", x);
  btn8 = MakeToolButton(bar, "btn8", 20, x);
  AddSeparator(bar, "btn23", x);
  btn7 = MakeToolButton(bar, "btn7", 5, x);
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("mm1"));
  // The items are rows of the command table.
  File1 = AddMenu(bar, "File1", QT_TRANSLATE_NOOP("Window", "Файл"));
  AddCommandItems(File1);
  BuildPictureFileItems();
  BuildLanguageMenu();
  N17 = AddMenu(bar, "N17", QT_TRANSLATE_NOOP("Window", "Редактировать"));
  AddCommandItems(N17);
  N3 = AddMenu(bar, "N3", QT_TRANSLATE_NOOP("Window", "Эффекты"));
  AddCommandItems(N3);
  N3->addSeparator();
  DotMethods1 = N3->addMenu(QString());
  SetWindowText(*DotMethods1->menuAction(), QT_TRANSLATE_NOOP("Window", "Другие методы"));
  DotMethods1->setObjectName(QStringLiteral("DotMethods1"));
  DotMethods1->setFont(N3->font());
  DotMethods1->menuAction()->setObjectName(QStringLiteral("DotMethods1"));
  DotMethods1->menuAction()->setStatusTip(HintFor(QStringLiteral("DotMethods1")));
  AddCommandItems(DotMethods1);
  std::copy_n(DotMethods1->actions().cbegin(), std::size(DotMethodItems), DotMethodItems);
  Serpentine1->setCheckable(true);

  N50 = AddMenu(bar, "N50", QT_TRANSLATE_NOOP("Window", "Станок"));
  BuildMachineMenu();
  Help1 = AddMenu(bar, "Help1", QT_TRANSLATE_NOOP("Window", "Справка"));
  AddCommandItems(Help1);
}

// The picture area keeps its width when the side panel is wider than the form's.
QSize TForm1::NormalSize() const {
  const int machinePanel = pnlMachine->isVisibleTo(this) ? pnlMachine->width() : 0;
  return QSize(kClientWidth - kPanelWidth + pnl1->width() + machinePanel,
               kClientHeight + menuBar()->sizeHint().height());
}

// The border is fixed, yet the window can be maximized: window managers refuse to maximize a
// window whose minimum and maximum sizes are equal, so only the minimum is set, and a size that
// a drag at the border gives the normal window is taken back (resizeEvent).
void TForm1::KeepNormalSize() {
  setMinimumSize(NormalSize());
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) &&
      size() != NormalSize())
    resize(NormalSize());
}

// The machine panel widens the window; on a narrow screen its right edge, with "Стоп", is kept
// in view rather than the picture's left part.
void TForm1::KeepMachinePanelOnScreen() {
  const QScreen* shown = screen();
  if (shown == nullptr || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
  const QRect available = shown->availableGeometry();
  const int overshoot = frameGeometry().right() - available.right();
  if (overshoot > 0) move(pos() - QPoint(overshoot, 0));
}

}  // namespace skelda
