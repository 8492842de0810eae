// How windows show their message boxes with the error icon; tests replace it
// to record the boxes instead of waiting for an operator.
#pragma once

#include <QString>
#include <functional>

class QWidget;

using ErrorBox = std::function<void(QWidget* owner, const QString& text, const QString& caption)>;

// A modal QMessageBox with the error icon and an OK button.
ErrorBox standardErrorBox();
