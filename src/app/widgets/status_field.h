// A status field of the main window: a read-only line that shows the driver's
// description or frame. A driver may answer with a frame of megabytes; laying
// out such a line costs seconds on every change, so the field shows the
// start of a long text with a mark of its length and keeps the whole text,
// which its copy (keys or menu) and the scripted run read.
#pragma once

#include <QLineEdit>

class StatusField : public QLineEdit {
  Q_OBJECT

 public:
  // Characters shown before the mark; the module's own frames are far
  // shorter, so only a misbehaving driver's text is ever cut.
  static constexpr int kShownChars = 4096;

  explicit StatusField(QWidget* parent = nullptr);

  // Shows text; false when it equals the text shown already (nothing done).
  bool showWhole(const QString& text);
  const QString& wholeText() const { return whole_; }
  bool isCut() const { return whole_.size() > kShownChars; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void copyWhole() const;
  QString whole_;
};
