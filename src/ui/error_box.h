// The error box of a window command: the text of the error that ended it, with a full stop added
// by the application's rule, under a stop icon with OK.
#pragma once

#include <QString>
#include <exception>

class QWidget;

namespace skelda {

class Dialogs;

// The text the error box shows for an exception.
QString ErrorBoxMessage(const std::exception_ptr& error);

// Runs the command; an exception of any kind ends it and is shown in the error box, so that
// none ever leaves a Qt slot.
template <class Command>
void RunGuarded(Dialogs& dialogs, QWidget* parent, Command&& command) noexcept;

void ShowErrorBox(Dialogs& dialogs, QWidget* parent, const std::exception_ptr& error) noexcept;

template <class Command>
void RunGuarded(Dialogs& dialogs, QWidget* parent, Command&& command) noexcept {
  try {
    command();
  } catch (...) {
    ShowErrorBox(dialogs, parent, std::current_exception());
  }
}

}  // namespace skelda
