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

#include "ui/main_window.h"
#include "ui/preview_canvas.h"
#include "ui/tool_images.h"
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

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
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

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* button = new QPushButton(caption, parent);
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

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption) {
  QMenu* menu = bar->addMenu(caption);
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

  lbl1 = MakeLabel(p, "lbl1", QStringLiteral("Размер точки"), 19, 8);
  edt1 = MakeEdit(p, "edt1", QStringLiteral("0.2"), {16, 24, 41, 19}, true);
  edt4 = MakeEdit(p, "edt4", QStringLiteral("127"), {56, 24, 41, 19}, true);
  lbl8 = MakeLabel(p, "lbl8", QStringLiteral("        мм.       dpi"), 16, 40);
  lbl2 = MakeLabel(p, "lbl2", QStringLiteral("Размер по X"), 17, 56);
  edt5 = MakeEdit(p, "edt5", QString(), {16, 72, 33, 19}, false);
  edt2 = MakeEdit(p, "edt2", QString(), {48, 72, 33, 19}, true);
  btn5 = MakeButton(p, "btn5", QStringLiteral("S"), {82, 72, 17, 19});
  lbl3 = MakeLabel(p, "lbl3", QStringLiteral("Размер по Y"), 17, 96);
  edt6 = MakeEdit(p, "edt6", QString(), {16, 112, 33, 19}, false);
  edt3 = MakeEdit(p, "edt3", QString(), {48, 112, 33, 19}, true);
  btn6 = MakeButton(p, "btn6", QStringLiteral("S"), {82, 112, 17, 19});
  lbl4 = MakeLabel(p, "lbl4", QStringLiteral(" пикс.    мм."), 17, 128);
  lbl10 = MakeLabel(p, "lbl10", QStringLiteral("Черно-белое 50%"), 10, 152);
  trckbrTrackSeuil = MakeSlider(p, "trckbrTrackSeuil", 0, 256, 128, 7, 165);
  btn2 = MakeButton(p, "btn2", QStringLiteral("Черно-белое"), {16, 192, 81, 25});
  btn3 = MakeButton(p, "btn3", QStringLiteral("Точками"), {16, 224, 81, 25});
  btn4 = MakeButton(p, "btn4", QStringLiteral("Применить"), {16, 256, 81, 25});

  lbl5 = MakeLabel(p, "lbl5", QStringLiteral("Резкость 0%"), 106, 8);
  trckbr1 = MakeSlider(p, "trckbr1", -100, 100, 0, 103, 21);
  lbl11 = MakeLabel(p, "lbl11", QStringLiteral("Яркость 0%"), 106, 40);
  trckbr2 = MakeSlider(p, "trckbr2", -200, 200, 0, 103, 53);
  lbl12 = MakeLabel(p, "lbl12", QStringLiteral("Контрастность 0%"), 106, 72);
  trckbr3 = MakeSlider(p, "trckbr3", -100, 100, 0, 103, 85);
  lbl6 = MakeLabel(p, "lbl6", QStringLiteral("Время прожига"), 113, 112);
  edt7 = MakeEdit(p, "edt7", QStringLiteral("1"), {128, 128, 41, 19}, true);
  lbl7 = MakeLabel(p, "lbl7", QStringLiteral("мс."), 174, 134);
  chk1 = new QCheckBox(QStringLiteral("Лин.\\Точки"), p);
  chk1->setObjectName(QStringLiteral("chk1"));
  chk1->setGeometry(112, 152, 81, 17);
  lbl9 = MakeLabel(p, "lbl9", QStringLiteral("F"), 112, 168);
  lbl9->setFont(ControlFont(16));
  lbl9->adjustSize();
  edt8 = MakeEdit(p, "edt8", QStringLiteral("300"), {128, 168, 65, 19}, false);
  btn1 = MakeButton(p, "btn1", QStringLiteral("G-Code *.nc"), {112, 192, 81, 25});

  LoadPic = new QToolButton(p);
  LoadPic->setObjectName(QStringLiteral("LoadPic"));
  LoadPic->setText(QStringLiteral("Load"));
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
  File1 = AddMenu(bar, "File1", QStringLiteral("Файл"));
  N10 = AddItem(File1, "N10", QStringLiteral("Загрузить изображение"));
  N12 = AddItem(File1, "N12", QStringLiteral("Сохранить изображение (*.bmp)"));
  nc1 = AddItem(File1, "nc1", QStringLiteral("Создать и сохранить (*.nc)"));
  File1->addSeparator()->setObjectName(QStringLiteral("N1"));
  N2 = AddItem(File1, "N2", QStringLiteral("Выход"));

  N17 = AddMenu(bar, "N17", QStringLiteral("Редактировать"));
  N13 = AddItem(N17, "N13", QStringLiteral("Отразить по горизонтали"));
  N14 = AddItem(N17, "N14", QStringLiteral("Отразить по вертикали"));
  N901 = AddItem(N17, "N901", QStringLiteral("Повернуть на 90 град."));
  N8 = AddItem(N17, "N8", QStringLiteral("Инвертировать"));

  N3 = AddMenu(bar, "N3", QStringLiteral("Эффекты"));
  N4 = AddItem(N3, "N4", QStringLiteral("Оригинал"));
  N5 = AddItem(N3, "N5", QStringLiteral("Точечный Floyd-Steinberg"));
  N6 = AddItem(N3, "N6", QStringLiteral("Точечный мутно"));
  N7 = AddItem(N3, "N7", QStringLiteral("Точечный разброс"));
  N11 = AddItem(N3, "N11", QStringLiteral("Крестик 1"));
  N21 = AddItem(N3, "N21", QStringLiteral("Крестик 2"));
  N31 = AddItem(N3, "N31", QStringLiteral("Крестик 3"));
  N41 = AddItem(N3, "N41", QStringLiteral("Крестик 4"));
  N15 = AddItem(N3, "N15", QStringLiteral("Слабый разброс"));
  N16 = AddItem(N3, "N16", QStringLiteral("Мутное стекло"));
  N18 = AddItem(N3, "N18", QStringLiteral("Мозайка"));
  N9 = AddItem(N3, "N9", QStringLiteral("Черно-белое"));
  BuildDotMethodsMenu();

  N50 = AddMenu(bar, "N50", QStringLiteral("Станок"));
  BuildMachineMenu();
  BuildFramingItems();
}

void TForm1::ConnectCommands() {
  connect(LoadPic, &QToolButton::clicked, this, &TForm1::LoadPicClick);
  connect(N10, &QAction::triggered, this, &TForm1::N10Click);
  connect(btn7, &QToolButton::clicked, this, &TForm1::btn7Click);
  connect(N4, &QAction::triggered, this, &TForm1::N4Click);
  connect(btn17, &QToolButton::clicked, this, &TForm1::btn17Click);
  connect(btn5, &QPushButton::clicked, this, &TForm1::btn5Click);
  connect(btn6, &QPushButton::clicked, this, &TForm1::btn6Click);
  connect(edt1, &QLineEdit::returnPressed, this, &TForm1::edt1KeyPress);
  connect(edt4, &QLineEdit::returnPressed, this, &TForm1::edt4KeyPress);
  connect(N12, &QAction::triggered, this, &TForm1::N12Click);

  connect(btn2, &QPushButton::clicked, this, &TForm1::btn2Click);
  connect(N9, &QAction::triggered, this, &TForm1::N9Click);
  connect(btn22, &QToolButton::clicked, this, &TForm1::btn22Click);
  connect(btn3, &QPushButton::clicked, this, &TForm1::btn3Click);
  connect(N5, &QAction::triggered, this, &TForm1::N5Click);
  connect(btn18, &QToolButton::clicked, this, &TForm1::btn18Click);
  connect(trckbrTrackSeuil, &QSlider::valueChanged, this, &TForm1::trckbrTrackSeuilChange);
  connect(trckbr1, &QSlider::valueChanged, this, &TForm1::trckbr1Change);
  connect(trckbr2, &QSlider::valueChanged, this, &TForm1::trckbr2Change);
  connect(trckbr3, &QSlider::valueChanged, this, &TForm1::trckbr3Change);
  connect(btn4, &QPushButton::clicked, this, &TForm1::btn4Click);
  connect(btn12, &QToolButton::clicked, this, &TForm1::btn12Click);

  connect(N6, &QAction::triggered, this, &TForm1::N6Click);
  connect(N7, &QAction::triggered, this, &TForm1::N7Click);
  connect(N11, &QAction::triggered, this, &TForm1::N11Click);
  connect(N21, &QAction::triggered, this, &TForm1::N21Click);
  connect(N31, &QAction::triggered, this, &TForm1::N31Click);
  connect(N41, &QAction::triggered, this, &TForm1::N41Click);
  connect(N15, &QAction::triggered, this, &TForm1::N15Click);
  connect(N16, &QAction::triggered, this, &TForm1::N16Click);
  connect(N18, &QAction::triggered, this, &TForm1::N18Click);

  connect(btn1, &QPushButton::clicked, this, &TForm1::btn1Click);
  connect(nc1, &QAction::triggered, this, &TForm1::nc1Click);
  connect(btn8, &QToolButton::clicked, this, &TForm1::btn8Click);
  connect(chk1, &QCheckBox::clicked, this, &TForm1::chk1Click);

  connect(N13, &QAction::triggered, this, &TForm1::N13Click);
  connect(btn25, &QToolButton::clicked, this, &TForm1::btn25Click);
  connect(N14, &QAction::triggered, this, &TForm1::N14Click);
  connect(btn24, &QToolButton::clicked, this, &TForm1::btn24Click);
  connect(N901, &QAction::triggered, this, &TForm1::N901Click);
  connect(btn19, &QToolButton::clicked, this, &TForm1::btn19Click);
  connect(btn21, &QToolButton::clicked, this, &TForm1::btn21Click);
  connect(N8, &QAction::triggered, this, &TForm1::N8Click);
  connect(btn20, &QToolButton::clicked, this, &TForm1::btn20Click);

  connect(btn9, &QToolButton::clicked, this, &TForm1::btn9Click);
  connect(btn11, &QToolButton::clicked, this, &TForm1::btn11Click);
  connect(btn13, &QToolButton::clicked, this, &TForm1::btn13Click);
  connect(canvas_, &PreviewCanvas::mousePressed, this, &TForm1::FormMouseDown);
  connect(canvas_, &PreviewCanvas::mouseMoved, this, &TForm1::FormMouseMove);
  connect(canvas_, &PreviewCanvas::mouseReleased, this, &TForm1::FormMouseUp);

  // A click into these fields starts a keypad entry (eventFilter).
  for (QLineEdit* field : {edt1, edt2, edt3, edt7}) field->installEventFilter(this);

  connect(N2, &QAction::triggered, this, &TForm1::N2Click);
  ConnectMachineCommands();
  ConnectFramingCommands();
}

// The picture area keeps its width when the side panel is wider than the form's.
QSize TForm1::NormalSize() const {
  return QSize(kClientWidth - kPanelWidth + pnl1->width(),
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

}  // namespace skelda
