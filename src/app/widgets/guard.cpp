#include "widgets/guard.h"

#include <QString>
#include <exception>

#include "myconsts.h"

bool runGuarded(QWidget* owner, const ErrorBox& showError, const std::function<void()>& handler) {
  QString error;
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    error = QString::fromStdString(e.what());
  } catch (...) {
    error = QStringLiteral("Неизвестная ошибка");
  }
  // Shown outside the handler's catch, so that the box's own event loop runs
  // with no exception in flight.
  showError(owner, error, myconsts::kApplicationTitle);
  return false;
}
