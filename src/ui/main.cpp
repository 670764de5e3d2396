#include <QApplication>
#include <QFile>
#include <QTimer>

#include "ui/keypad_window.h"
#include "ui/main_window.h"
#include "ui/start_hook.h"
#include "ui/window_language.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  skelda::UseLanguage(skelda::SavedLanguage());
  skelda::TForm1 Form1(skelda::MakeStartDialogs());
  skelda::TForm2 Form2(Form1.edt9, &Form1);
  Form1.SetKeypad(&Form2);
  Form1.show();
  skelda::ScheduleStartHook(Form1);
  // "skelda FILE", as file managers open a picture with the program.
  if (argc == 2) {
    const QString name = QFile::decodeName(argv[1]);
    QTimer::singleShot(0, &Form1, [&Form1, name] { Form1.OpenPictureNamed(name); });
  }
  return app.exec();
}
