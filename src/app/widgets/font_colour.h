// The font colour of a control, kept in its palette so that every kind of
// control (edits, memos, combo boxes, check boxes, radio groups) shows it.
#pragma once

#include <QColor>

class QWidget;

// Blue (0, 0, 255): the colour of every value the last presentation wrote.
inline const QColor kHighlightColour{0, 0, 255};

void setFontColour(QWidget* control, const QColor& colour);
// The window-text colour of the application's palette.
QColor windowTextColour();
QColor fontColour(const QWidget* control);
