#include "pages/test/test_page.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QGroupBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "core/numbers.h"
#include "core/soak_tally.h"
#include "core/soak_times.h"
#include "core/test_log.h"
#include "core/test_record.h"
#include "myconsts.h"
#include "pages/page_id.h"
#include "platform/code_page.h"
#include "platform/regional_formats.h"
#include "platform/text_file.h"
#include "widgets/font_colour.h"

namespace {
const QString kStart = QStringLiteral("Старт");
const QString kStop = QStringLiteral("Стор");
constexpr int kDefaultPeriod = 100;
// A period below one millisecond would make a 0 ms timer that polls the
// driver on every pass of the event loop.
constexpr int kMinimumPeriod = 1;
// While a test runs, what it changes on every tick is painted at this period
// rather than on every tick: painting, not the work, would set the pace.
constexpr int kDisplayRefreshMs = 40;

// What a held control shows, to tell whether it needs painting.
QString shownState(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* edit = qobject_cast<const QLineEdit*>(control))
    return edit->text() + QChar(0) + fontColour(edit).name();
  return {};
}

}  // namespace

struct TestPage::SoakTestState {
  std::unique_ptr<lk40::platform::OutputFile> log;  // none: no test running, or no log for it
  int64_t summaryOffset = 0;
  lk40::core::SoakTally tally;
  lk40::core::SoakClock clock;
  lk40::core::DecodedTestRecord record;  // set by the 0xF1 presentation: the block in the grid
  std::string pending;          // one tick's lines, reused so a tick allocates nothing
  QTimer* refresh = nullptr;    // paints the held controls while a test runs
  // What each held control showed when last painted; the grid counts its changes.
  std::vector<QString> painted;
  uint64_t gridChanges = 0;
  uint64_t gridPainted = 0;
};

TestPage::TestPage(const PageContext& context, QWidget* parent)
    : Page(context, PageID::Test, parent), soak_(std::make_unique<SoakTestState>()) {
  ui.setupUi(this);
  fitForm();
  finishForm();
  present(0xF1, &TestPage::presentTestRecord);
  soak_->refresh = new QTimer(this);
  soak_->refresh->setInterval(kDisplayRefreshMs);
  connect(soak_->refresh, &QTimer::timeout, this, &TestPage::paintTestDisplay);
  onClick(ui.Button12, &TestPage::Button12Click);
  onClick(ui.Button13, &TestPage::Button13Click);
  onClick(ui.Button17, &TestPage::Button17Click);
}

TestPage::~TestPage() = default;

void TestPage::Button12Click() { runFramed({}, "TestGet", 0xF1); }

void TestPage::Button13Click() { runFramed({}, "TestClr", 0xF8); }

void TestPage::showTestTimes() {
  const lk40::core::SoakClock& clock = soak_->clock;
  const std::time_t end = clock.shownNow();
  ui.Label14->setText(QString::fromStdString(lk40::core::soakDateTimeText(formats_, end)));
  ui.Label15->setText(QString::fromStdString(lk40::core::soakElapsedText(formats_, end - clock.shownStart())));
}

void TestPage::Button17Click() {
  if (ui.Button17->text() == kStart) {
    Driver.call("TestClr");
    period_ = std::max(lk40::core::parseIntOr(ui.Edit11->text().toStdString(), kDefaultPeriod), kMinimumPeriod);
    StartTestLog();
    running_ = true;
    host_.timerWanted(*this);
    ui.Button17->setText(kStop);
    holdTestDisplay(true);
  } else {
    running_ = false;
    host_.timerWanted(*this);
    holdTestDisplay(false);
    FinishTestLog();
    ui.Button17->setText(kStart);
  }
}

QList<QWidget*> TestPage::testDisplay() const {
  return QList<QWidget*>{ui.StringGrid1, ui.Label13, ui.Label14, ui.Label15, ui.Label17, ui.Label20} +
         statusFields_;
}

void TestPage::holdTestDisplay(bool hold) {
  SoakTestState& s = *soak_;
  for (QWidget* w : testDisplay()) w->setUpdatesEnabled(!hold);
  if (hold) {
    // Nothing counts as painted yet: the first refresh paints all of them.
    s.painted.assign(static_cast<std::size_t>(testDisplay().size()), QStringLiteral("\x01"));
    s.gridPainted = s.gridChanges - 1;
    s.refresh->start();
  } else {
    s.refresh->stop();
  }
}

void TestPage::paintTestDisplay() {
  SoakTestState& s = *soak_;
  const QList<QWidget*> held = testDisplay();
  QList<QWidget*> changed;
  for (int i = 0; i < held.size(); ++i) {
    QWidget* w = held[i];
    if (w == ui.StringGrid1) {
      if (s.gridPainted == s.gridChanges) continue;
      s.gridPainted = s.gridChanges;
    } else {
      QString shown = shownState(w);
      if (shown == s.painted[static_cast<std::size_t>(i)]) continue;
      s.painted[static_cast<std::size_t>(i)] = std::move(shown);
    }
    changed << w;
  }
  if (changed.isEmpty()) return;
  // Updates on again mark each one for painting; they are painted together.
  for (QWidget* w : changed) w->setUpdatesEnabled(true);
  QCoreApplication::sendPostedEvents(window(), QEvent::UpdateRequest);
  for (QWidget* w : changed) w->setUpdatesEnabled(false);
}

void TestPage::StartTestLog() {
  SoakTestState& s = *soak_;
  ui.Button12->setEnabled(false);
  ui.Button13->setEnabled(false);
  const QString interval = QString::number(period_);
  if (ui.Edit11->text() != interval) ui.Edit11->setText(interval);
  s.clock.start();
  ui.Label13->setText(QString::fromStdString(lk40::core::soakDateTimeText(formats_, s.clock.shownStart())));
  ui.Label17->setText(QStringLiteral("0"));
  ui.Label20->setText(QStringLiteral("0"));
  s.tally = {};

  s.log = lk40::platform::OutputFile::recreate(ui.Edit3->text().toStdString());
  if (s.log) {
    try {
      lk40::core::TestLogRun run;
      run.description = Driver.getText("UDescription");
      run.comment = lk40::core::memoLines(ui.Memo2->toPlainText().toStdString());
      run.comNumber = Driver.getInt("ComNumber");
      run.baudRate = Driver.getInt("Baudrate");
      run.period = ui.Edit11->text().toStdString();
      run.start = ui.Label13->text().toStdString();
      const lk40::core::TestLogHeader header = lk40::core::composeTestLogHeader(run);
      s.summaryOffset = header.summaryOffset;
      if (!s.log->write(header.bytes)) s.log.reset();
    } catch (const std::exception&) {
      // A header the driver cannot describe is a log not created, like a
      // header that cannot be written: the test runs on without one.
      s.log.reset();
    }
  }
  if (!s.log) showError_(window(), myconsts::kFileNotCreated, myconsts::kCaptionAttention);
}

void TestPage::FinishTestLog() {
  SoakTestState& s = *soak_;
  WriteTestLog(lk40::core::kTestLogEnd);
  ui.Button12->setEnabled(true);
  ui.Button13->setEnabled(true);
  // "Прошло:" is brought to the stop as well, so that the summary agrees with itself.
  showTestTimes();
  if (!s.log) return;
  const auto summary =
      lk40::core::testLogSummary(s.summaryOffset, ui.Label14->text().toStdString(), ui.Label15->text().toStdString(),
                                 ui.Label17->text().toStdString(), ui.Label20->text().toStdString());
  for (const auto& write : summary) s.log->writeAt(write.offset, write.bytes);
  s.log.reset();
}

void TestPage::WriteTestLog(std::string_view bytes) {
  // A line that cannot be written is dropped; the test goes on.
  if (soak_->log) soak_->log->write(bytes);
}

void TestPage::timerTick() {
  SoakTestState& s = *soak_;
  s.record = {};
  const bool received = Driver.callInt("TestGet") == 0;
  ShowCommandResult(0xF1);
  if (received) logTestBlock();
  // Both at the end of the poll, from one moment, so that they agree.
  showTestTimes();
}

void TestPage::logTestBlock() {
  SoakTestState& s = *soak_;
  s.pending.clear();
  const auto added = s.tally.add(s.record, s.pending);
  if (!added.counted) return;
  // The whole tick in one write, flushed: a bench killed later loses nothing of it.
  if (added.logged) WriteTestLog(s.pending);
  if (added.overload) ui.Label20->setText(QString::number(s.tally.overflows()));
  ui.Label17->setText(QString::number(s.tally.measurements()));
}

// ---------------------------------------------------------------------------
// 0xF1: the test log record in StringGrid1

namespace {
// Cells are reused and only rewritten when their text changes, so a soak test
// polling every millisecond creates no items and repaints only what moved.
// True when the cell changed.
bool setCell(QTableWidget* grid, int row, int column, const QString& text) {
  if (QTableWidgetItem* item = grid->item(row, column)) {
    if (item->text() == text) return false;
    item->setText(text);
  } else {
    grid->setItem(row, column, new QTableWidgetItem(text));
  }
  return true;
}
}  // namespace

void TestPage::presentTestRecord() {
  auto record = lk40::core::decodeTestRecord(Driver.get("TestData").toAnsiBytes());
  if (!record.valid) return;
  QTableWidget* grid = ui.StringGrid1;
  // Rows 1 to 3 exist for any record; the value rows follow the new count.
  uint64_t& changes = soak_->gridChanges;
  if (grid->rowCount() != record.rowCount) {
    grid->setRowCount(record.rowCount);
    ++changes;
  }
  for (const auto& cell : record.cells) changes += setCell(grid, cell.row, cell.column, QString::fromStdString(cell.text));
  soak_->record = std::move(record);
}

void TestPage::finishForm() {
  QTableWidget* grid = ui.StringGrid1;
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // 70 and 60 pixels, widened where the font needs more for the longest
  // heading and the longest value, so that no cell is cut.
  const QFontMetrics fm = grid->fontMetrics();
  const int padding = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 6;
  grid->setColumnWidth(0, qMax(70, fm.horizontalAdvance(QStringLiteral("перегрузка")) + padding));
  grid->setColumnWidth(1, qMax(60, fm.horizontalAdvance(QStringLiteral("-2147483648")) + padding));
  grid->setFixedWidth(grid->columnWidth(0) + grid->columnWidth(1) + 2 * grid->frameWidth() +
                      grid->verticalScrollBar()->sizeHint().width() + 1);
  ui.Memo2->setFixedSize(ui.Edit3->minimumWidth(), ui.Memo2->fontMetrics().lineSpacing() * 5 + 12);
  // Room for a short date and a long time, the widest value shown here. A
  // fixed size: values that change on every tick of a test never ask the page
  // for a new layout (which would repaint the whole page control).
  for (QLabel* value : {ui.Label13, ui.Label14, ui.Label15, ui.Label17, ui.Label20})
    value->setFixedSize(value->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + 4,
                        value->sizeHint().height());
  ui.Button17->setMinimumWidth(ui.Button12->sizeHint().width());
}

std::vector<SavedInput> TestPage::savedInputs() const { return {{145, ui.Edit3}, {147, ui.Edit11}}; }

void TestPage::started() {
  ui.StringGrid1->setItem(1, 0, new QTableWidgetItem(QStringLiteral("1")));
  ui.StringGrid1->setItem(0, 1, new QTableWidgetItem(myconsts::kGridValueHeader));
}

std::optional<int> TestPage::timerPeriod() const {
  if (!running_) return std::nullopt;
  return period_;
}

// A test left running is stopped as its button stops it: the log gets its summary.
void TestPage::closing() {
  if (running_) ui.Button17->click();
}
