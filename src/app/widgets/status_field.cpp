#include "widgets/status_field.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <limits>

StatusField::StatusField(QWidget* parent) : QLineEdit(parent) {
  // The shown part and its mark fit; the default limit of 32 767 would cut
  // silently where the mark tells.
  setMaxLength(std::numeric_limits<int>::max());
}

bool StatusField::showWhole(const QString& text) {
  if (text == whole_ && (isCut() || QLineEdit::text() == text)) return false;
  whole_ = text;
  if (isCut()) {
    setText(text.left(kShownChars) + QStringLiteral(" … [обрезано, знаков: %1]").arg(text.size()));
  } else {
    setText(text);
  }
  return true;
}

void StatusField::copyWhole() const { QGuiApplication::clipboard()->setText(whole_); }

void StatusField::keyPressEvent(QKeyEvent* event) {
  // Everything selected in a cut field means the whole text, not the part shown.
  if (isCut() && event->matches(QKeySequence::Copy) && selectedText() == text()) {
    copyWhole();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void StatusField::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (isCut()) {
    menu->addSeparator();
    menu->addAction(QStringLiteral("Копировать весь текст (знаков: %1)").arg(whole_.size()), this,
                    &StatusField::copyWhole);
  }
  menu->popup(event->globalPos());
}
