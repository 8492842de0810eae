// Writes what a control shows only where it differs from what it shows
// already: a line edit lays out and repaints an equal text anew, and a label
// repaints an equal picture, so a timer that writes the same values on every
// tick would repaint them on every tick.
#pragma once

class QLabel;
class QLineEdit;
class QPixmap;
class QString;

// True when what the control shows changed.
bool showText(QLineEdit* edit, const QString& text);
bool showPicture(QLabel* label, const QPixmap& picture);
