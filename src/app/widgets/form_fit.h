// What a form file cannot say about its controls, applied once after the form
// is set up: sizes that follow the font, and the button face behind fields the
// operator only reads. A form asks for them with dynamic properties:
//   chars (int)       a line edit exactly wide enough for this many digits
//   minChars (int)    a line edit at least that wide
//   buttonFace (bool) a field or memo drawn on the button face
// Every push button gets a little air around its caption, and every memo its
// tab stops a few characters apart.
#pragma once

class QTimer;
class QWidget;

namespace formfit {

// Room for this many digits plus the edit's frame and text margins.
int widthForChars(const QWidget* w, int chars);
void showButtonFace(QWidget* w);
// Applies all of the above to root and every widget under it.
void fit(QWidget* root);

// The form's timer, named "Timer" like the form's other parts, ticking every
// intervalMs once started.
QTimer* addTimer(QWidget* form, int intervalMs);
// Fixes the form's size once, from its size hint with every control in place,
// so that hiding a control or a tab later never resizes the window.
void fixSize(QWidget* form);

}  // namespace formfit
