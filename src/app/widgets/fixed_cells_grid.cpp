#include "widgets/fixed_cells_grid.h"

#include <QStyle>
#include <QStyledItemDelegate>

namespace {

class FixedCellsDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.row() == 0 || index.column() == 0) {
      option->backgroundBrush = option->palette.brush(QPalette::Button);
      option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
  }
};

}  // namespace

FixedCellsGrid::FixedCellsGrid(QWidget* parent) : QTableWidget(parent) {
  setItemDelegate(new FixedCellsDelegate(this));
}

QItemSelectionModel::SelectionFlags FixedCellsGrid::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
  if (index.isValid() && (index.row() == 0 || index.column() == 0)) return QItemSelectionModel::NoUpdate;
  return QTableWidget::selectionCommand(index, event);
}
