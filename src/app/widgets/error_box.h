// How windows show their message boxes with the error icon; tests replace it
// to record the boxes instead of waiting for an operator.
#pragma once

#include <QString>
#include <functional>

class QWidget;

using ErrorBox = std::function<void(QWidget* owner, const QString& text, const QString& caption)>;

// The same box with the reason behind its text as details, hidden until the
// operator asks for them.
using DetailedErrorBox =
    std::function<void(QWidget* owner, const QString& text, const QString& caption, const QString& details)>;

// A modal QMessageBox with the error icon and an OK button.
ErrorBox standardErrorBox();
DetailedErrorBox standardDetailedErrorBox();
