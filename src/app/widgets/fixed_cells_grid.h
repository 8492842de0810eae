// The test log grid: row 0 and column 0 are its headings, drawn on the button
// face and never shown selected, whichever items the presentation puts there,
// and they cannot be selected by mouse or keyboard. A promoted QTableWidget in
// the test page's form.
#pragma once

#include <QTableWidget>

class FixedCellsGrid : public QTableWidget {
 public:
  explicit FixedCellsGrid(QWidget* parent = nullptr);

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
};
