// TForm1: the main window. A side panel of settings, a tool bar, a menu bar, a status bar and the
// picture area. Its commands are the rows of the command table (command_table.cpp): from a
// caption or a control's object name to the handler or toolkit-free routine it runs. Each
// handler is the short list of steps of its command over the toolkit-free commands of src/.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "core/history.h"
#include "core/workspace.h"
#include "gcode/grbl_raster.h"
#include "gcode/machine_profile.h"
#include "machine/session.h"
#include "simulation/motion_settings.h"
#include "simulation/program_preview.h"
#include "ui/dialogs.h"
#include "ui/window_language.h"

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QStatusBar;
class QWidget;
class QToolButton;
class QTimer;

namespace skelda {

class MachineLink;
class MachinePanel;
class PreviewCanvas;
class TForm2;
struct GcodeSettings;
struct SizeFields;
struct WindowCommand;

// The caption of a panel button, from the command table (command_table.cpp).
QString PanelCaption(const char* panelButton);

// The window is its controller session's listener: the calls reach it on its own thread
// (MachineLink).
class TForm1 : public QMainWindow, private SessionListener {
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
  // The machine panel's jog and override buttons (command_table.cpp).
  template <int dx, int dy>
  void JogClick() {
    Jog(dx, dy);
  }
  template <Override change>
  void FeedOverrideClick() {
    RunOnMachine([](MachineSession& m) { m.FeedOverride(change); });
  }
  template <Override change>
  void PowerOverrideClick() {
    RunOnMachine([](MachineSession& m) { m.PowerOverride(change); });
  }
  // The items of "Язык / Language" (command_table.cpp).
  template <WindowLanguage language>
  void LanguageItemClick() {
    ChooseLanguage(language);
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
  QAction* SavePng1 = nullptr;   // "Сохранить изображение (*.png)"
  QMenu* Recent1 = nullptr;      // "Последние файлы"
  QAction* ExifTurn1 = nullptr;  // "Поворачивать по EXIF", checked
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
  QAction* N57 = nullptr;  // "Подключить…"
  QAction* N58 = nullptr;  // "Отключить"
  QAction* N59 = nullptr;  // "Отправить на станок"
  QAction* N60 = nullptr;  // "Отправить файл…"
  QAction* N61 = nullptr;  // "Рамка на станке"
  QAction* N62 = nullptr;  // "Домой ($H)"
  QAction* N63 = nullptr;  // "Разблокировать ($X)"
  QAction* N64 = nullptr;  // "Ноль здесь"
  // "Другие методы": one item per DotMethod, in its order, the halftone screen and "Змейкой".
  QMenu* DotMethods1 = nullptr;
  QAction* DotMethodItems[8] = {};
  QAction* Serpentine1 = nullptr;
  // Undo and redo, at the top of "Редактировать"; "Справка" with the about box.
  QAction* Undo1 = nullptr;
  QAction* Redo1 = nullptr;
  QMenu* Help1 = nullptr;
  QAction* About1 = nullptr;
  // "Язык / Language" in "Файл": "Русский" and "English", one of them checked.
  QMenu* Language1 = nullptr;
  QAction* LanguageRu1 = nullptr;
  QAction* LanguageEn1 = nullptr;

  QStatusBar* stat1 = nullptr;
  TForm2* Form2 = nullptr;
  // Shown while a controller is connected.
  MachinePanel* pnlMachine = nullptr;

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
  // Picture files (main_window_files.cpp): the PNG save, the EXIF turn, a file named by a drop,
  // the command line or "Последние файлы", loaded as "Загрузить изображение" loads the chosen one.
  void SavePng1Click();
  void ExifTurn1Click();
  void OpenPictureNamed(const QString& fileName);
  // Black and white, tone, apply.
  void btn2Click();
  void N9Click();
  void trckbrTrackSeuilChange();
  void btn4Click();
  void btn12Click();
  // "Другие методы".
  void DotMethodClick(DotMethod method);
  void DotHalftoneClick();  // "Полутоновый растр…"
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
  // The controller (main_window_connection.cpp).
  void N57Click();
  void N58Click();
  void N62Click();
  void N63Click();
  void N64Click();
  void JogCancelClick();
  // Jobs on the machine (main_window_job.cpp).
  void N59Click();
  void N60Click();
  void N61Click();
  void PauseClick();
  void StopClick();
  // View and warp.
  void btn9Click();
  void btn13Click();
  void FormMouseDown(Qt::MouseButton button, int X, int Y);
  void FormMouseMove(Qt::MouseButtons buttons, int X, int Y);
  void FormMouseUp(Qt::MouseButton button, int X, int Y);
  void FormCanResize();
  // Exit.
  void N2Click();
  // Undo, redo and the about box (main_window_history.cpp).
  void Undo1Click();
  void Redo1Click();
  void About1Click();
  // The window's language, remembered and shown at once (main_window_language.cpp).
  void ChooseLanguage(WindowLanguage language);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

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
  // After a change of language: every text of the window again, the command table's from its
  // rows (main_window_language.cpp).
  void BuildLanguageMenu();
  void ShowTexts();
  void ShowCommandTexts();
  // The units under the size fields, each centred under its field (main_window_panel_fit.cpp).
  void CentrePanelUnits();
  // The settings of the panel's fields for the machine chosen, as the G-code command reads them.
  GcodeSettings PanelGcodeSettings() const;
  // After a GRBL program is written: the X range it moves in, in the status bar.
  void ShowGrblRange(const XRange& range);
  // The burn picture in the picture area until the next command, the job time in the status bar.
  void ShowBurnPreview(const ProgramPreview& preview);
  void KeepNormalSize();
  void KeepMachinePanelOnScreen();
  QSize NormalSize() const;

  // The controller (main_window_connection.cpp, main_window_job.cpp).
  void OnConnected(const ControllerInfo& info) override;
  void OnConnectFailed(const ConnectFailure& failure) override;
  void OnStatus(const StatusReport& status) override;
  void OnMessage(const std::string& line) override;
  void OnProgress(const JobProgress& progress) override;
  void OnHeld(bool held) override;
  void OnJobEnded(const JobReport& report) override;
  void OnConnectionLost(const std::string& message) override;
  // A request to the connected controller, inside RunCommand.
  void RunOnMachine(const std::function<void(MachineSession&)>& request);
  void Jog(int dx, int dy);
  // The session forgotten (its thread ends later), the panel hidden.
  void DropLink();
  // The frame's settings and power as "Рамка…" asks for them; nothing when cancelled.
  std::optional<std::pair<GcodeSettings, int>> AskFrame();
  // The program of the picture written as "G-Code *.nc" writes it; the name chosen (the file is
  // that name and ".nc"), or nothing when cancelled. The rest is for the closing message.
  std::optional<QString> WritePictureProgram(std::int64_t& elapsedMs, std::uint64_t& count,
                                             bool& lineMode);
  // Pre-flight, then streaming; `file` is where a faulted job can be resumed from (empty for
  // a program that has no file).
  void StartJob(JobPlan plan, const QString& file);
  // `plan` (reading the program too) runs off the window's thread under the busy cursor, the
  // sending commands off meanwhile; then StartJob, or the error box with its error.
  void PlanThenStart(std::function<JobPlan()> plan, const QString& file);
  void SendProgramFile(const QString& file);
  // From the first connection on, a stop signal closes the window once its job has stopped.
  void WatchStopSignals();

  // The enabling rules, all in one place (availability.cpp).
  void UpdateActions();
  void UpdateMachineActions();

  // Runs one command; an error ends it and goes to the error box (error_box.cpp). Afterwards
  // the size fields follow the picture's size.
  void RunCommand(const std::function<void()>& command);
  // The same for a command that works on the picture without asking first: under the busy
  // cursor from start to end. A command that opens a dialog shows the cursor (BusyCursor)
  // itself once the dialog has closed.
  void RunBusy(const std::function<void()>& command);
  // Runs a command that may change the picture: the state before it becomes an undo step when
  // it changed anything (main_window_history.cpp).
  void RunRecorded(const std::function<void()>& command);
  std::optional<HistoryState> CaptureState() const;
  void RecordState(std::optional<HistoryState> before);
  // The controls that an undo step takes back with the picture, and putting them back.
  PanelValues Panel() const;
  void ShowPanel(const PanelValues& panel);
  void TakeBack(bool redo);
  // Before a file that exists is replaced: true when it does not exist or the user agreed.
  bool MayReplace(const QString& fileName);

  void FormCreate();
  // The steps of "Загрузить изображение" after its dialog (nothing: cancelled).
  void LoadPicture(const std::optional<QString>& fileName);
  void BuildPictureFileItems();  // main_window_files.cpp
  void RememberRecentFile(const QString& fileName);
  void ShowRecentFiles();
  void ReadPictureFile();
  void ShowSizeFields(const SizeFields& fields);
  void ShowPictureSize(bool dotChanged);
  // The rows' distance the programs are written with; 0: the dot size.
  double LineIntervalMm() const;
  // After the machine or its settings changed: the size fields follow a new line interval.
  void FollowLineInterval(double before);
  // A slider's label as its routine writes it, with its name in the language in use; the text
  // given is kept for a change of language and for the undo steps (LabelText).
  void SetLabel(QLabel* label, const std::string& text);
  static std::string LabelText(const QLabel* label);
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

  // The controller: null while disconnected; the link owns the session and its thread.
  MachineLink* link_ = nullptr;
  bool connected_ = false;  // the handshake succeeded
  bool jobRunning_ = false;
  bool planning_ = false;  // a job's plan being made, off the window's thread
  bool held_ = false;
  bool closeAfterStop_ = false;  // the close question was answered Да during a job
  bool jobLost_ = false;         // the link failed while a job ran; its end tells the rest
  std::optional<std::array<double, 3>> workOffset_;  // the last WCO reported
  QString jobFile_;  // the running job's program file; empty for the frame
  struct Resume {
    QString file;
    int row = 0;
  };
  std::optional<Resume> resume_;  // where a faulted job can go on
  QTimer* stopSignalWatch_ = nullptr;

  History history_;
  std::optional<HistoryState> warpBefore_;  // from the press of a warp drag to its release
};

}  // namespace skelda
