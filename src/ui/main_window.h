// TForm1: the main window. A side panel of settings, a tool bar, a menu bar, a status bar and the
// picture area. Its commands are the rows of the command table (command_table.cpp): from a
// caption or a control's object name to the handler or toolkit-free routine it runs. Each
// handler is the short list of steps of its command over the toolkit-free commands of src/.
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "core/workspace.h"
#include "gcode/grbl_raster.h"
#include "gcode/machine_profile.h"
#include "simulation/motion_settings.h"
#include "simulation/program_preview.h"
#include "ui/dialogs.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QStatusBar;
class QWidget;
class QToolButton;

namespace skelda {

class PreviewCanvas;
class TForm2;
struct GcodeSettings;
struct SizeFields;
struct WindowCommand;

// The caption of a panel button, from the command table (command_table.cpp).
QString PanelCaption(const char* panelButton);

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // dialogs: the message boxes and file dialogs; the Qt ones when null (tests pass a fake).
  explicit TForm1(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~TForm1() override;

  // The keypad window the entry handlers show (created after this window, as the program
  // entry does).
  void SetKeypad(TForm2* keypad) { Form2 = keypad; }

  Workspace& workspace() { return ws_; }
  Dialogs& dialogs() { return *dialogs_; }
  PreviewCanvas& canvas() { return *canvas_; }
  // The name the open dialog keeps: the file last chosen, read again by "Оригинал".
  const QString& OpenPictureFileName() const { return openPictureFileName_; }

  // Shows ShownBitmap 1:1 at the top-left corner of the picture area, repainted at once.
  void RefreshPreview();

  // The items of "Другие методы", one per method (command_table.cpp).
  template <DotMethod method>
  void DotMethodItemClick() {
    DotMethodClick(method);
  }

  // Side panel.
  QFrame* pnl1 = nullptr;
  QLabel* lbl1 = nullptr;
  QLabel* lbl2 = nullptr;
  QLabel* lbl3 = nullptr;
  QLabel* lbl4 = nullptr;
  QLabel* lbl5 = nullptr;
  QLabel* lbl6 = nullptr;
  QLabel* lbl7 = nullptr;
  QLabel* lbl8 = nullptr;
  QLabel* lbl9 = nullptr;
  QLabel* lbl10 = nullptr;
  QLabel* lbl11 = nullptr;
  QLabel* lbl12 = nullptr;
  QLineEdit* edt1 = nullptr;
  QLineEdit* edt2 = nullptr;
  QLineEdit* edt3 = nullptr;
  QLineEdit* edt4 = nullptr;
  QLineEdit* edt5 = nullptr;
  QLineEdit* edt6 = nullptr;
  QLineEdit* edt7 = nullptr;
  QLineEdit* edt8 = nullptr;
  QLineEdit* edt9 = nullptr;
  QPushButton* btn1 = nullptr;
  QPushButton* btn2 = nullptr;
  QPushButton* btn3 = nullptr;
  QPushButton* btn4 = nullptr;
  QPushButton* btn5 = nullptr;
  QPushButton* btn6 = nullptr;
  QToolButton* LoadPic = nullptr;
  QSlider* trckbrTrackSeuil = nullptr;
  QSlider* trckbr1 = nullptr;
  QSlider* trckbr2 = nullptr;
  QSlider* trckbr3 = nullptr;
  QCheckBox* chk1 = nullptr;

  // Tool bar.
  QFrame* tlb1 = nullptr;
  QToolButton* btn7 = nullptr;
  QToolButton* btn8 = nullptr;
  QToolButton* btn9 = nullptr;
  QToolButton* btn11 = nullptr;
  QToolButton* btn12 = nullptr;
  QToolButton* btn13 = nullptr;
  QToolButton* btn17 = nullptr;
  QToolButton* btn18 = nullptr;
  QToolButton* btn19 = nullptr;
  QToolButton* btn20 = nullptr;
  QToolButton* btn21 = nullptr;
  QToolButton* btn22 = nullptr;
  QToolButton* btn24 = nullptr;
  QToolButton* btn25 = nullptr;

  // Menus.
  QMenu* File1 = nullptr;
  QMenu* N17 = nullptr;
  QMenu* N3 = nullptr;
  QAction* N10 = nullptr;
  QAction* N12 = nullptr;
  QAction* nc1 = nullptr;
  QAction* N2 = nullptr;
  QAction* N13 = nullptr;
  QAction* N14 = nullptr;
  QAction* N901 = nullptr;
  QAction* N8 = nullptr;
  QAction* N4 = nullptr;
  QAction* N5 = nullptr;
  QAction* N6 = nullptr;
  QAction* N7 = nullptr;
  QAction* N11 = nullptr;
  QAction* N21 = nullptr;
  QAction* N31 = nullptr;
  QAction* N41 = nullptr;
  QAction* N15 = nullptr;
  QAction* N16 = nullptr;
  QAction* N18 = nullptr;
  QAction* N9 = nullptr;
  QMenu* N50 = nullptr;    // "Станок"
  QAction* N51 = nullptr;  // the classic machine
  QAction* N52 = nullptr;  // GRBL
  QAction* N53 = nullptr;  // "Параметры станка…"
  QAction* N54 = nullptr;  // "Рамка…"
  QAction* N55 = nullptr;  // "Тестовая сетка…"
  QAction* N56 = nullptr;  // "Просмотр прожига"
  // "Другие методы": one item per DotMethod, in its order, and "Змейкой".
  QMenu* DotMethods1 = nullptr;
  QAction* DotMethodItems[8] = {};
  QAction* Serpentine1 = nullptr;

  QStatusBar* stat1 = nullptr;
  TForm2* Form2 = nullptr;

 public slots:
  // The handlers of the command table's rows (command_table.cpp) and of the fields and sliders.
  // Picture loading and size.
  void LoadPicClick();
  void N4Click();
  void btn5Click();
  void btn6Click();
  void edt1KeyPress();
  void edt4KeyPress();
  void N12Click();
  // Black and white, tone, apply.
  void btn2Click();
  void N9Click();
  void trckbrTrackSeuilChange();
  void btn4Click();
  void btn12Click();
  // "Другие методы".
  void DotMethodClick(DotMethod method);
  void SerpentineClick();
  // G-code.
  void btn1Click();
  // Machine (main_window_machine.cpp).
  void N51Click();
  void N52Click();
  void N53Click();
  // Framing and the test grid (main_window_framing.cpp).
  void N54Click();
  void N55Click();
  // The burn preview and job time of the program "G-Code *.nc" would write now.
  void N56Click();
  // View and warp.
  void btn9Click();
  void btn13Click();
  void FormMouseDown(Qt::MouseButton button, int X, int Y);
  void FormMouseMove(Qt::MouseButtons buttons, int X, int Y);
  void FormMouseUp(Qt::MouseButton button, int X, int Y);
  void FormCanResize();
  // Exit.
  void N2Click();

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Layout (main_window_layout.cpp).
  void BuildWindow();
  void BuildPanel();
  void FitPanelToFont();
  void BuildToolBar();
  void BuildMenus();
  void BuildMachineMenu();  // main_window_machine.cpp
  // The command table (command_table.cpp): the items of one menu, made from its rows; every
  // control of every row connected to its command; one command run.
  void AddCommandItems(QMenu* menu);
  void ConnectCommands();
  void Run(const WindowCommand& command);
  // The settings of the panel's fields for the machine chosen, as the G-code command reads them.
  GcodeSettings PanelGcodeSettings() const;
  // After a GRBL program is written: the X range it moves in, in the status bar.
  void ShowGrblRange(const XRange& range);
  // The burn picture in the picture area until the next command, the job time in the status bar.
  void ShowBurnPreview(const ProgramPreview& preview);
  void KeepNormalSize();
  QSize NormalSize() const;

  // The enabling rules, all in one place (availability.cpp).
  void UpdateActions();

  // Runs one command; an error ends it and goes to the error box (error_box.cpp). Afterwards
  // the size fields follow the picture's size.
  void RunCommand(const std::function<void()>& command);
  // The same for a command that works on the picture without asking first: under the busy
  // cursor from start to end. A command that opens a dialog shows the cursor (BusyCursor)
  // itself once the dialog has closed.
  void RunBusy(const std::function<void()>& command);
  // Before a file that exists is replaced: true when it does not exist or the user agreed.
  bool MayReplace(const QString& fileName);

  void FormCreate();
  void ReadPictureFile();
  void ShowSizeFields(const SizeFields& fields);
  void ShowPictureSize(bool dotChanged);
  // The rows' distance the programs are written with; 0: the dot size.
  double LineIntervalMm() const;
  // After the machine or its settings changed: the size fields follow a new line interval.
  void FollowLineInterval(double before);
  void SetLabel(QLabel* label, const std::string& text);
  // Keypad entries (main_window_keypad.cpp): a click into a keypad field asks for its value.
  void WatchKeypadFields();
  void ConnectToneSliders();  // main_window_handlers.cpp
  void KeypadEntry(QLineEdit* field, void (TForm1::*followUp)());

  Workspace ws_;
  std::unique_ptr<Dialogs> dialogs_;
  PreviewCanvas* canvas_ = nullptr;
  QString openPictureFileName_;
  bool loadAttempted_ = false;
  bool handCursor_ = false;  // the hand cursor of a warp drag is on
  MachineProfile machine_;   // remembered between runs
  int framePower_ = 0;       // the last frame power asked for, in this run
  MotionSettings motion_;    // remembered between runs
  Bitmap burnPicture_;       // shown by "Просмотр прожига" until the next command
};

}  // namespace skelda
