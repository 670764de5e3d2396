#include "ui/start_hook.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QtGlobal>

#include "ui/main_window.h"

namespace skelda {
namespace {

class StartDialogs final : public Dialogs {
 public:
  StartDialogs(std::unique_ptr<Dialogs> real, QString firstPicture)
      : real_(std::move(real)), firstPicture_(std::move(firstPicture)) {}

  std::optional<QString> OpenPicture(QWidget* parent) override {
    if (!firstPicture_.isEmpty()) return std::exchange(firstPicture_, QString());
    return real_->OpenPicture(parent);
  }
  std::optional<QString> SavePicture(QWidget* parent) override {
    return real_->SavePicture(parent);
  }
  std::optional<QString> SaveGcode(QWidget* parent) override { return real_->SaveGcode(parent); }
  std::optional<QString> OpenProgram(QWidget* parent) override {
    return real_->OpenProgram(parent);
  }

  std::optional<QString> SavePicturePng(QWidget* parent) override {
    return real_->SavePicturePng(parent);
  }
  bool ConfirmOkCancel(QWidget* parent, const QString& text) override {
    return real_->ConfirmOkCancel(parent, text);
  }
  bool ConfirmYesNo(QWidget* parent, const QString& text) override {
    return real_->ConfirmYesNo(parent, text);
  }
  bool ConfirmReplace(QWidget* parent, const QString& text) override {
    return real_->ConfirmReplace(parent, text);
  }
  void Information(QWidget* parent, const QString& text) override {
    real_->Information(parent, text);
  }
  void Error(QWidget* parent, const QString& text) override { real_->Error(parent, text); }

 private:
  std::unique_ptr<Dialogs> real_;
  QString firstPicture_;
};

}  // namespace

std::unique_ptr<Dialogs> MakeStartDialogs() {
  return std::make_unique<StartDialogs>(MakeQtDialogs(), qEnvironmentVariable("SKELDA_OPEN"));
}

bool TriggerControl(TForm1& form, const QString& objectName) {
  if (auto* menu = form.findChild<QMenu*>(objectName)) {
    // A submenu opens inside its open menu.
    if (auto* outer = qobject_cast<QMenu*>(menu->parentWidget())) {
      form.menuBar()->setActiveAction(outer->menuAction());
      outer->setActiveAction(menu->menuAction());
    } else {
      form.menuBar()->setActiveAction(menu->menuAction());
    }
    return true;
  }
  if (auto* action = form.findChild<QAction*>(objectName)) {
    action->trigger();
    return true;
  }
  if (auto* field = form.findChild<QLineEdit*>(objectName); field && field->window() == &form) {
    // A click into a keypad field: posted, since the entry then waits for its value.
    const QPointF centre = QRectF(field->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(
          field, new QMouseEvent(type, centre, field->mapToGlobal(centre), Qt::LeftButton,
                                 type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                 Qt::NoModifier));
    }
    return true;
  }
  for (QAbstractButton* button : form.findChildren<QAbstractButton*>(objectName)) {
    if (button->window() != &form) continue;  // the keypad's buttons share names
    button->click();
    return true;
  }
  return false;
}

void ScheduleStartHook(TForm1& form) {
  const bool load = qEnvironmentVariableIsSet("SKELDA_OPEN");
  const QStringList commands =
      qEnvironmentVariable("SKELDA_RUN").split(QLatin1Char(','), Qt::SkipEmptyParts);
  if (!load && commands.isEmpty()) return;
  QTimer::singleShot(0, &form, [&form, load, commands] {
    if (load) form.LoadPicClick();
    for (const QString& name : commands) {
      if (name.trimmed() == QLatin1String("maximize")) {
        form.showMaximized();
      } else if (!TriggerControl(form, name.trimmed())) {
        qWarning("SKELDA_RUN: no control named %s", qPrintable(name));
      }
    }
  });
}

}  // namespace skelda
