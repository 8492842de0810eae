// "Журнал обмена": the rows the buttons, the timers and the display's polls
// make, the window over them and its copy, save and clear.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>

#include "display/tfrm_display.h"
#include "journal/tfrm_journal.h"
#include "script_record/script_recorder.h"
#include "main_window_harness.h"
#include "pages/page_id.h"
#include "platform/code_page.h"

using lk40::automation::Variant;
using lk40::core::JournalColumn;
using lk40::core::JournalRow;

namespace {

// Operation, method, return value, code, description, sent, received, then
// "poll" or "-" and name=value of each property written before the call.
QString rowLine(const JournalRow& row) {
  QStringList cells;
  for (const JournalColumn c : {JournalColumn::Operation, JournalColumn::Method, JournalColumn::Returned,
                                JournalColumn::Code, JournalColumn::Description, JournalColumn::Sent,
                                JournalColumn::Received})
    cells << QString::fromStdString(lk40::core::cellText(row, c));
  cells << (row.poll() ? QStringLiteral("poll") : QStringLiteral("-"));
  for (const auto& p : row.properties())
    cells << QString::fromStdString(p.name + "=" + p.value);
  return cells.join(QLatin1Char('|'));
}

QString lastRow(const TfrmMain& form) {
  const auto& journal = form.journal().journal();
  return journal.empty() ? QString() : rowLine(journal[journal.size() - 1]);
}

// The start-up connection reads the password into its field from the driver.
void answerWithStatus(lk40::testing::RecordingDriver& driver) {
  driver.set("Password", Variant(30));
  driver.set("ResultCode", Variant(0));
  driver.set("ResultCodeDescription", Variant("Ошибок нет"));
  driver.set("Input", Variant("02 05 FC"));
  driver.set("Output", Variant("02 0A FC 00"));
}

TfrmJournal* openJournal(MainWindowHarness& h) {
  h.click("btnJournal");
  return h.form().findChild<TfrmJournal*>();
}

}  // namespace

class JournalTest : public QObject {
  Q_OBJECT

 private slots:
  void aPageButtonGivesOneRowWithItsCallStatusAndWrites() {
    struct Case {
      int page;
      const char* button;
      std::function<void(MainWindowHarness&)> type;
      QString row;
    };
    const Case cases[] = {
        {0, "Button36", {}, "Получить тип устройства|GetDeviceMetrics||0|Ошибок нет|02 05 FC|02 0A FC 00|-"},
        {0, "btnGetChangeParam", {}, "Чтение параметров обмена|GetExchangeParam||0|Ошибок нет|02 05 FC|02 0A FC 00|-|Password=30"},
        {2, "Button25", [](MainWindowHarness& h) { h.edit("Edit1")->setText("1,5"); },
         "Задать тару|SetTareValue||0|Ошибок нет|02 05 FC|02 0A FC 00|-|Password=30|Tare=1.5"},
        {3, "Button3",
         [](MainWindowHarness& h) {
           h.edit("Edit7")->setText("2");
           h.edit("Edit2")->setText("10,25");
         },
         "Записать параметры градуировки|SetFixedPoint||0|Ошибок нет|02 05 FC|02 0A FC 00|-|Password=30|PointNumber=2|"
         "CalibrationWeight=10.25"},
    };
    for (const Case& c : cases) {
      MainWindowHarness h;
      answerWithStatus(*h.driver);
      h.start();
      // The start-up connection is the first row.
      QCOMPARE(h.form().journal().journal().size(), std::size_t{1});
      // Connect's own value and the code read after it, each in its column.
      QCOMPARE(lastRow(h.form()), QStringLiteral("Запуск|Connect|0|0|Ошибок нет|02 05 FC|02 0A FC 00|-"));
      h.showPage(c.page);
      const std::size_t before = h.form().journal().journal().size();
      if (c.type) c.type(h);
      h.click(c.button);
      QCOMPARE(h.form().journal().journal().size(), before + 1);
      QCOMPARE(lastRow(h.form()), c.row);
    }
  }

  void theWindowIsOneNotModalAndFollowsTheCalls() {
    MainWindowHarness h;
    answerWithStatus(*h.driver);
    h.start();
    TfrmJournal* journal = openJournal(h);
    QVERIFY(journal && journal->isVisible());
    QCOMPARE(journal->windowTitle(), QStringLiteral("Журнал обмена"));
    QVERIFY(!journal->isModal() && !QApplication::activeModalWidget());
    QCOMPARE(openJournal(h), journal);
    QCOMPARE(h.form().findChildren<TfrmJournal*>().size(), 1);
    QCOMPARE(journal->model().rowCount(), 1);
    // Tab walks every control once, each named for the accessibility bus.
    QStringList walk;
    QWidget* at = journal->chkPolls;
    do {
      if ((at->focusPolicy() & Qt::TabFocus) && at->window() == journal) {
        walk << at->objectName();
        QVERIFY2(!at->accessibleName().isEmpty(), qPrintable(at->objectName()));
      }
      at = at->nextInFocusChain();
    } while (at != journal->chkPolls);
    QCOMPARE(walk, QStringList({"chkPolls", "btnCopy", "btnSave", "btnClear", "btnRecordScript", "btnSaveScript",
                                "tblCalls", "memProperties"}));
    // "Записывать сценарий" is the window's recorder, both ways.
    ScriptRecorder* recorder = ScriptRecorder::of(&h.form());
    journal->findChild<QPushButton*>(QStringLiteral("btnRecordScript"))->click();
    QVERIFY(recorder->recording());
    recorder->setRecording(false);
    QVERIFY(!journal->findChild<QPushButton*>(QStringLiteral("btnRecordScript"))->isChecked());
    // The main window stays usable beside it, and the list follows on its own.
    QVERIFY(h.find<QPushButton>("Button36")->isEnabled() && h.find<QPushButton>("btnJournal")->isEnabled());
    h.click("Button36");
    QTRY_COMPARE(journal->model().rowCount(), 2);
    h.showPage(1);
    QVERIFY(journal->isVisible());
  }

  void pollsAreShownWithOprosyAndClearEmpties() {
    MainWindowHarness h;
    answerWithStatus(*h.driver);
    h.start();
    TfrmJournal* journal = openJournal(h);
    h.showPage(3);
    h.click("SpeedButton1");  // the continuous ADC reading
    QTRY_VERIFY(h.driver->callCount("GetADCValue") >= 2);
    h.click("SpeedButton1");
    journal->refresh();
    QCOMPARE(lastRow(h.form()), QStringLiteral("Опрос|GetADCValue|0|||||poll"));
    QVERIFY(!journal->chkPolls->isChecked());
    QCOMPARE(journal->model().rowCount(), 1);  // the start-up connection only
    journal->chkPolls->click();
    QCOMPARE(journal->model().rowCount(), static_cast<int>(h.form().journal().journal().size()));
    QVERIFY(journal->model().rowCount() >= 3);

    journal->btnClear->click();
    QCOMPARE(journal->model().rowCount(), 0);
    QVERIFY(h.form().journal().journal().empty());
    QCOMPARE(journal->lblDropped->text(), QStringLiteral("Отброшено строк: 0"));
    h.click("Button22");  // a new row after the clear is listed
    journal->refresh();
    QCOMPARE(journal->model().rowCount(), 1);
  }

  void copySaveAndTheSelectedRowsProperties() {
    MainWindowHarness h;
    answerWithStatus(*h.driver);
    h.start();
    h.click("btnGetChangeParam");
    h.click("Button36");
    TfrmJournal* journal = openJournal(h);
    QCOMPARE(journal->model().rowCount(), 3);

    journal->tblCalls->selectRow(1);
    QCOMPARE(journal->memProperties->toPlainText(),
             QStringLiteral("Password = 30\nОписание: Ошибок нет\nПередано: 02 05 FC\nПринято: 02 0A FC 00"));
    journal->tblCalls->selectionModel()->select(journal->model().index(2, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    journal->btnCopy->click();
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);  // the header, two rows and the end of the last line
    QCOMPARE(lines[0], QStringLiteral("Время\tОперация\tМетод\tВозврат\tКод\tОписание\tПередано\tПринято\tмс"));
    const QString rest = QStringLiteral("\t\t0\tОшибок нет\t02 05 FC\t02 0A FC 00\t\\d+$");
    QVERIFY2(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\tЧтение параметров обмена\tGetExchangeParam" + rest)
                 .match(lines[1]).hasMatch(), qPrintable(lines[1]));
    QVERIFY2(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\tПолучить тип устройства\tGetDeviceMetrics" + rest)
                 .match(lines[2]).hasMatch(), qPrintable(lines[2]));

    // The list as shown, in the ANSI code page with CRLF.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("журнал.csv"));
    journal->setChooseFile([&](QWidget*) { return file; });
    journal->btnSave->click();
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString csv = QString::fromStdString(lk40::platform::ansiToUtf8(saved.readAll().toStdString()));
    const QStringList rows = csv.split(QStringLiteral("\r\n"));
    QCOMPARE(rows.size(), 5);
    QVERIFY(rows[1].contains(QStringLiteral(";Запуск;Connect;0;0;")));
    QVERIFY(rows[3].contains(QStringLiteral(";Получить тип устройства;GetDeviceMetrics;;0;")));
    QVERIFY(h.boxes.empty());
    journal->setChooseFile([&](QWidget*) { return dir.path(); });  // a folder cannot be written over
    journal->btnSave->click();
    QCOMPARE(h.boxes.size(), std::size_t{1});
    QCOMPARE(h.boxes[0].caption, QStringLiteral("Внимание"));
  }

  void theDisplaysPollsAndButtonsAreJournalled() {
    auto fake = std::make_shared<lk40::testing::RecordingDriver>();
    fake->setResult("GetChannelStatus", 0);
    lk40::automation::Driver driver(fake);
    auto recorder = std::make_shared<lk40::core::JournalRecorder>();
    driver.setObserver(recorder);
    TfrmDisplay display(driver, QString(), 0, 0, lk40::platform::RegionalFormats::russian(), [](auto...) {});
    display.TimerTimer();
    display.controls().Button2->click();
    QCOMPARE(recorder->journal().size(), std::size_t{2});
    QCOMPARE(rowLine(recorder->journal()[0]), QStringLiteral("Опрос|GetChannelStatus|0|||||poll"));
    QCOMPARE(rowLine(recorder->journal()[1]), QStringLiteral(">0<|SetZero||||||-"));
  }

  // A full journal drops rows between two refreshes of the list: selecting a
  // listed row that dropped off shows nothing rather than another row's writes.
  void aRowThatDroppedOffBeforeTheRefreshShowsNothing() {
    lk40::core::ExchangeJournal journal(2);
    const auto add = [&journal](const char* value) {
      lk40::core::JournalCall call;
      call.method = "SetTare";
      journal.add(call, {{"Tare", value}});
    };
    add("1");
    add("2");
    TfrmJournal window(journal, nullptr);
    QCOMPARE(window.model().rowCount(), 2);
    add("3");
    add("4");
    window.tblCalls->setCurrentIndex(window.model().index(0, 0));
    QCOMPARE(window.memProperties->toPlainText(), QString());
    window.tblCalls->setCurrentIndex(window.model().index(1, 0));
    QCOMPARE(window.memProperties->toPlainText(), QString());
    window.refresh();
    window.tblCalls->setCurrentIndex(window.model().index(1, 0));
    QCOMPARE(window.memProperties->toPlainText(), QStringLiteral("Tare = 4"));
  }

  // Frames of a megabyte: a cell holds the start of each, a tooltip a few
  // short lines, the pane all the journal kept with the mark of the cut; the
  // window fits the screen, and the count of dropped rows is its label's name.
  void longFramesAFittedWindowAndTheCountReadOut() {
    lk40::core::ExchangeJournal journal(2);
    std::string frame = "02";
    while (frame.size() < (1u << 20) - 3) frame += " A5";
    lk40::core::JournalCall call;
    call.method = "GetDeviceMetrics";
    call.sent = frame;
    call.received = frame;
    for (int i = 0; i < 3; ++i) journal.add(call);
    QWidget bench;
    bench.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bench));
    TfrmJournal window(journal, &bench);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QString mark = QStringLiteral(" … [обрезано, байт: %1]").arg((frame.size() + 1) / 3);
    const QModelIndex sent = window.model().index(1, static_cast<int>(JournalColumn::Sent));
    const QString cell = sent.data(Qt::DisplayRole).toString();
    QVERIFY2(cell.size() <= 400 && cell.endsWith(mark), qPrintable(cell.right(60)));
    const QStringList tip = sent.data(Qt::ToolTipRole).toString().split(QLatin1Char('\n'));
    QVERIFY(tip.size() <= 12);
    for (const QString& line : tip) QVERIFY2(line.size() <= 100, qPrintable(line));
    window.tblCalls->selectRow(1);
    const QString details = window.memProperties->toPlainText();
    QVERIFY(details.startsWith(QStringLiteral("Передано: 02 A5")));
    QCOMPARE(details.count(mark), 2);
    QVERIFY(details.size() > 2 * 65000);

    const QRect screen = window.screen()->availableGeometry();
    QVERIFY(screen.contains(window.frameGeometry()));
    const QRect clear(window.btnClear->mapTo(&window, QPoint(0, 0)), window.btnClear->size());
    QVERIFY(window.rect().contains(clear));
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(window.lblDropped);
    QCOMPARE(label->text(QAccessible::Name), QStringLiteral("Отброшено строк: 1"));
  }
};

QTEST_MAIN(JournalTest)
#include "tst_journal.moc"
