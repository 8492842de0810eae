// "Тест": the test log grid, the soak test settings and its information block.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "main_window/main_ui.h"
#include "widgets/ui_builders.h"

namespace mainui {

namespace {

// Row 0 and column 0 of the test grid are its headings: drawn on the button
// face and never shown selected, whichever items the presentation puts there.
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

// The fixed cells cannot be selected by mouse or keyboard.
class FixedCellsGrid : public QTableWidget {
 public:
  using QTableWidget::QTableWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override {
    if (index.isValid() && (index.row() == 0 || index.column() == 0)) return QItemSelectionModel::NoUpdate;
    return QTableWidget::selectionCommand(index, event);
  }
};

}  // namespace

void setupTestPage(QWidget* page, MainUi& ui) {
  ui.StringGrid1 = new FixedCellsGrid(2, 2, page);
  QTableWidget* grid = ui.StringGrid1;
  grid->setObjectName(QStringLiteral("StringGrid1"));
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setMinimumSectionSize(16);
  grid->verticalHeader()->setDefaultSectionSize(16);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // 70 and 60 pixels, widened where the font needs more for the longest
  // heading and the longest value, so that no cell is cut.
  const QFontMetrics fm = grid->fontMetrics();
  const int padding = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 6;
  grid->setColumnWidth(0, qMax(70, fm.horizontalAdvance(QStringLiteral("перегрузка")) + padding));
  grid->setColumnWidth(1, qMax(60, fm.horizontalAdvance(QStringLiteral("-2147483648")) + padding));
  grid->setItemDelegate(new FixedCellsDelegate(grid));
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setWordWrap(false);
  grid->setFixedWidth(grid->columnWidth(0) + grid->columnWidth(1) + 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width() + 1);

  ui.Button12 = makeButton(page, "Button12", QStringLiteral("Запрос лога"));
  ui.Button13 = makeButton(page, "Button13", QStringLiteral("Очистить"));

  ui.Edit3 = makeEdit(page, "Edit3", QString(), 0, 40);
  ui.Label3 = makeLabel(page, "Label3", QStringLiteral("Файл"), ui.Edit3);
  ui.Memo2 = makeMemo(page, "Memo2", false, true);
  ui.Memo2->setFixedSize(ui.Edit3->minimumWidth(), ui.Memo2->fontMetrics().lineSpacing() * 5 + 12);
  ui.Label4 = makeLabel(page, "Label4", QStringLiteral("Комментарий"), ui.Memo2);
  ui.Edit11 = makeEdit(page, "Edit11", QStringLiteral("100"), 0, 8);
  ui.Label5 = makeLabel(page, "Label5", QStringLiteral("Период опроса"), ui.Edit11);
  ui.Button17 = makeButton(page, "Button17", QStringLiteral("Старт"));

  ui.GroupBox1 = makeGroupBox(page, "GroupBox1", QStringLiteral("Информация"));
  QWidget* g1 = ui.GroupBox1;
  auto* info = new QGridLayout;
  info->setHorizontalSpacing(12);
  const QString unset = QStringLiteral("---------");
  const auto addInfo = [&](int row, QLabel*& caption, const char* captionName, const QString& text, QLabel*& value,
                           const char* valueName) {
    value = makeLabel(g1, valueName, unset);
    // Room for a short date and a long time, the widest value shown here.
    // A fixed size: values that change on every tick of a test never ask the
    // page for a new layout (which would repaint the whole page control).
    value->setFixedSize(value->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + 4,
                        value->sizeHint().height());
    caption = makeLabel(g1, captionName, text);
    info->addWidget(caption, row, 0);
    info->addWidget(value, row, 1);
  };
  addInfo(0, ui.Label8, "Label8", QStringLiteral("Начало:"), ui.Label13, "Label13");
  addInfo(1, ui.Label10, "Label10", QStringLiteral("Конец:"), ui.Label14, "Label14");
  addInfo(2, ui.Label11, "Label11", QStringLiteral("Прошло:"), ui.Label15, "Label15");
  addInfo(3, ui.Label16, "Label16", QStringLiteral("Измерений:"), ui.Label17, "Label17");
  addInfo(4, ui.Label18, "Label18", QStringLiteral("Переполнений:"), ui.Label20, "Label20");
  info->setColumnStretch(2, 1);
  ui.GroupBox1->setLayout(info);

  auto* log = new QVBoxLayout;
  log->addWidget(grid, 1);
  log->addWidget(ui.Button12);
  log->addWidget(ui.Button13);

  auto* settings = new QGridLayout;
  settings->addWidget(ui.Label3, 0, 0);
  settings->addWidget(ui.Edit3, 0, 1, Qt::AlignLeft);
  settings->addWidget(ui.Label4, 1, 0, Qt::AlignLeft | Qt::AlignTop);
  settings->addWidget(ui.Memo2, 1, 1, Qt::AlignLeft);
  settings->addWidget(ui.Label5, 2, 0);
  settings->addWidget(ui.Edit11, 2, 1, Qt::AlignLeft);
  settings->setRowMinimumHeight(3, 4);
  settings->addWidget(ui.Button17, 4, 1, Qt::AlignLeft);
  settings->setRowMinimumHeight(5, 4);
  settings->addWidget(ui.GroupBox1, 6, 0, 1, 2);
  settings->setRowStretch(7, 1);
  ui.Button17->setMinimumWidth(ui.Button12->sizeHint().width());

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(log);
  layout->addSpacing(12);
  layout->addLayout(settings);
  layout->addStretch(1);
}

}  // namespace mainui
