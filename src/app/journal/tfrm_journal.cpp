#include "journal/tfrm_journal.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "core/window_placement.h"
#include "myconsts.h"
#include "widgets/keyboard_path.h"

using lk40::core::JournalColumn;

namespace {

const QString kDropped = QStringLiteral("Отброшено строк: %1");
const QString kNotSaved = QStringLiteral("Файл не записан: %1");

QString askForCsvFile(QWidget* owner) {
  QFileDialog dialog(owner, QStringLiteral("Сохранить журнал"), QString(), QStringLiteral("CSV (*.csv)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                 : QString();
}

// Widths from the font: the time and the numbers whole, the texts a useful start.
void sizeColumns(QTableView* table) {
  const QFontMetrics fm = table->fontMetrics();
  const int pad = 16;
  const std::pair<JournalColumn, QString> widths[] = {
      {JournalColumn::Time, QStringLiteral("00:00:00.000")},
      {JournalColumn::Operation, QStringLiteral("Записать параметры градуировки")},
      {JournalColumn::Method, QStringLiteral("GetChannelStatusEx")},
      {JournalColumn::Returned, QStringLiteral("-0000")},
      {JournalColumn::Code, QStringLiteral("-0000")},
      {JournalColumn::Description, QStringLiteral("Ошибок нет, всё в порядке")},
      {JournalColumn::Sent, QStringLiteral("02 00 00 00 00 00 00 00 00")},
      {JournalColumn::Received, QStringLiteral("02 00 00 00 00 00 00 00 00 00")},
      {JournalColumn::Ms, QStringLiteral("000000")}};
  for (const auto& [column, sample] : widths) {
    const QString title = table->model()->headerData(static_cast<int>(column), Qt::Horizontal).toString();
    const int header = fm.horizontalAdvance(title);
    table->setColumnWidth(static_cast<int>(column), std::max(fm.horizontalAdvance(sample), header) + pad);
  }
}

}  // namespace

TfrmJournal::TfrmJournal(lk40::core::ExchangeJournal& journal, QWidget* owner, ErrorBox showError)
    : QWidget(owner, Qt::Window),
      journal_(journal),
      model_(new JournalModel(journal, this)),
      refreshTimer_(new QTimer(this)),
      showError_(showError ? std::move(showError) : standardErrorBox()),
      chooseFile_(askForCsvFile) {
  setupUi(this);
  tblCalls->setModel(model_);
  tblCalls->verticalHeader()->hide();
  // Fixed row heights: the view never measures the rows it does not show.
  tblCalls->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tblCalls->verticalHeader()->setDefaultSectionSize(tblCalls->fontMetrics().height() + 6);
  tblCalls->horizontalHeader()->setStretchLastSection(true);
  sizeColumns(tblCalls);
  memProperties->setFixedHeight(memProperties->fontMetrics().lineSpacing() * 5 + 12);
  chkPolls->setChecked(model_->withPolls());

  refreshTimer_->setInterval(kRefreshMs);
  connect(refreshTimer_, &QTimer::timeout, this, &TfrmJournal::refresh);
  connect(chkPolls, &QCheckBox::toggled, this, [this](bool on) {
    model_->setWithPolls(on);
    refresh();
    tblCalls->scrollToBottom();
  });
  connect(btnCopy, &QPushButton::clicked, this, &TfrmJournal::copySelected);
  connect(btnSave, &QPushButton::clicked, this, &TfrmJournal::save);
  connect(btnClear, &QPushButton::clicked, this, &TfrmJournal::clear);
  connect(tblCalls->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TfrmJournal::showProperties);
  connect(model_, &QAbstractItemModel::modelReset, this, &TfrmJournal::showProperties);

  keyboardpath::chainTabOrder(keyboardpath::readingOrder(this));
  keyboardpath::nameFieldsByLabels(this);
  // The columns, the frame and the scroll bar that a long list brings, on
  // the screen the bench is on, less the frame its window has there.
  const int width = tblCalls->horizontalHeader()->length() + 2 * tblCalls->frameWidth() +
                    tblCalls->verticalScrollBar()->sizeHint().width() + 24;
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect free = screen->availableGeometry();
    const QSize frame = owner ? owner->frameGeometry().size() - owner->size() : QSize(0, 0);
    const QPoint centre = owner ? owner->frameGeometry().center() : free.center();
    const auto placed = lk40::core::fittedPlacement(
        {free.x(), free.y(), free.width() - frame.width(), free.height() - frame.height()}, width, 480,
        {centre.x(), centre.y()});
    setGeometry(placed.x, placed.y, placed.width, placed.height);
  } else {
    resize(width, 480);
  }
  refresh();
}

void TfrmJournal::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refresh();
  tblCalls->scrollToBottom();
  refreshTimer_->start();
}

void TfrmJournal::hideEvent(QHideEvent* event) {
  refreshTimer_->stop();
  QWidget::hideEvent(event);
}

void TfrmJournal::refresh() {
  const QScrollBar* bar = tblCalls->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  if (model_->refresh() && atEnd) tblCalls->scrollToBottom();
  // The count is the label's name on the accessibility bus too.
  const QString dropped = kDropped.arg(journal_.dropped());
  if (lblDropped->text() != dropped) {
    lblDropped->setText(dropped);
    lblDropped->setAccessibleName(dropped);
  }
}

std::vector<int> TfrmJournal::selectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : tblCalls->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TfrmJournal::copySelected() {
  refresh();
  const std::string text = lk40::core::journalCopyText(journal_, model_->journalIndices(selectedRows()));
  QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TfrmJournal::save() {
  refresh();
  const QString path = chooseFile_(this);
  if (path.isEmpty()) return;
  const std::string csv = lk40::core::journalCsvText(journal_, model_->allJournalIndices());
  if (!lk40::core::saveJournalCsv(path.toStdString(), csv))
    showError_(this, kNotSaved.arg(path), myconsts::kCaptionAttention);
}

void TfrmJournal::clear() {
  journal_.clear();
  refresh();
}

void TfrmJournal::showProperties() {
  const QModelIndex current = tblCalls->selectionModel()->currentIndex();
  QString text;
  if (current.isValid() && model_->holds(current.row()))
    text = QString::fromStdString(lk40::core::rowDetails(journal_[model_->journalIndex(current.row())]));
  if (memProperties->toPlainText() != text) memProperties->setPlainText(text);
}
