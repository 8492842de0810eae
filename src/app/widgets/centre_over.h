// Where a window that a press opens stands: centred over the window that owns
// it, as the operator sees that window, frame and title bar included.
#pragma once

class QWidget;

// Gives window its own size first, so that a window not yet shown is centred
// by the size it will show at.
void centreOver(QWidget* window, const QWidget* owner);
