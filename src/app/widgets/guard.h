// The one guard of every window's handlers: an error that a handler raises
// ends it and is shown in the framework-style box, owned by the window, with
// the program's name as its caption; nothing is thrown across the event loop.
#pragma once

#include <functional>

#include "widgets/error_box.h"

class QWidget;

// True when the handler ran to its end.
bool runGuarded(QWidget* owner, const ErrorBox& showError, const std::function<void()>& handler);
