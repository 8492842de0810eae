// The guard of one input field: a key filter that judges the characters the
// operator types, and a check that runs when the focus leaves the field. The
// main window's numeric fields and the channel dialog's fields share it.
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QLineEdit;

class NumericKeyFilter : public QObject {
  Q_OBJECT
 public:
  // True when the typed character may be inserted into the field.
  using KeyPress = std::function<bool(QLineEdit* field, QChar typed)>;
  // Runs when the focus leaves the field for another control of the same window.
  using Exit = std::function<void(QLineEdit* field)>;

  // Guards field for its lifetime; the filter is owned by the field.
  static void install(QLineEdit* field, KeyPress keyPress, Exit exit);

  // Whether a key press types characters for the filter to judge. Moving
  // between controls (Tab, Shift+Tab), the cursor keys, Delete, Insert, Escape
  // and Enter type nothing into a single-line field, even where the toolkit
  // gives them a text ("\t", "\x7f"): they keep their usual meaning, so Enter
  // still presses a dialog's default button. Backspace and control characters
  // typed with Ctrl are characters and are judged.
  static bool typesCharacters(const QKeyEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  NumericKeyFilter(QLineEdit* field, KeyPress keyPress, Exit exit);

  QLineEdit* field_;
  KeyPress keyPress_;
  Exit exit_;
};
