// The keyboard path through a window: the tab chain in the order the operator
// reads the controls, and every labelled field named after its label, so that
// a screen reader and an automated check name it by what the operator sees.
// Both are derived from the built layouts, so controls that a page or a
// dialog adds are covered without being listed anywhere.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace keyboardpath {

// Every widget under root in reading order: a row left to right, a column top
// to bottom, a grid or a form row by row; a group box's controls where the
// group box stands. Children that no layout places follow their container's
// laid-out ones, top to bottom and left to right by position. The insides of
// compound controls (a combo box's edit, a list's viewport) are not listed.
QList<QWidget*> readingOrder(QWidget* root);

// Chains the tab order through the widgets that take the focus with Tab, in
// the given order; the others are passed over. Tab leaves the grids, lists and
// memos among them instead of moving inside.
void chainTabOrder(const QList<QWidget*>& widgets);

// Gives each field that labels name as their buddy the text of the label that
// stands before it in reading order as its accessible name; a label after the
// field (a unit such as "кг") names it only when nothing stands before it.
void nameFieldsByLabels(QWidget* root);

// A caption as it reads: "&&" is one "&", a lone "&" marks the mnemonic.
QString withoutMnemonic(QString text);

}  // namespace keyboardpath
