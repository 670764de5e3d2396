#include "ui/error_box.h"

#include <new>
#include <string>

#include "core/errors.h"
#include "ui/dialogs.h"

namespace skelda {
namespace {

std::string MessageOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace

QString ErrorBoxMessage(const std::exception_ptr& error) {
  return QString::fromStdString(ErrorBoxText(MessageOf(error)));
}

void ShowErrorBox(Dialogs& dialogs, QWidget* parent, const std::exception_ptr& error) noexcept {
  try {
    dialogs.Error(parent, ErrorBoxMessage(error));
  } catch (...) {
    // Nothing is left to tell the user with when the error box itself fails.
  }
}

}  // namespace skelda
