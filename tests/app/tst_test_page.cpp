// "Тест": the log requests by hand and the soak test with its test log,
// compared byte for byte.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <deque>
#include <functional>

#include "main_window_harness.h"
#include "platform/code_page.h"

using lk40::automation::Variant;
using lk40::testing::RecordingDriver;
using Strings = std::vector<std::string>;

namespace {
constexpr int kPage = 6;

// TestGet hands out these records one per call, then fails.
void scriptRecords(RecordingDriver& d, std::deque<std::string> records) {
  auto queue = std::make_shared<std::deque<std::string>>(std::move(records));
  d.onCall("TestGet", [queue](RecordingDriver& r) {
    const bool have = !queue->empty();
    r.setResult("TestGet", have ? 0 : 5);
    r.set("ResultCode", Variant(have ? 0 : 5));
    if (!have) return;
    r.set("TestData", Variant(lk40::platform::ansiToUtf8(queue->front())));
    queue->pop_front();
  });
}

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

QByteArray ansi(const QString& text) {
  return QByteArray::fromStdString(lk40::platform::utf8ToAnsi(text.toStdString()));
}

// The four summary lines of the header with their values in place.
QByteArray summary(MainWindowHarness& h) {
  const auto line = [](const char* label, const QString& value, int length) {
    QByteArray text = ansi(QString::fromUtf8("; ") + QString::fromUtf8(label)) + " " + value.toLatin1();
    return text + QByteArray(length - text.size(), ' ') + "\r\n";
  };
  return line("Завершение:  ", h.text("Label14"), 45) + line("Время работы:", h.text("Label15"), 45) +
         line("Измерений:   ", h.text("Label17"), 25) + line("Переполнений:", h.text("Label20"), 25);
}
}  // namespace

class TestPageTest : public QObject {
  Q_OBJECT

  void startOnTheTestPage(MainWindowHarness& h) {
    h.arguments = {QStringLiteral("-t")};
    h.start();
    h.showPage(kPage);
    h.driver->set("UDescription", Variant("ЛК-40"));
    h.driver->set("ComNumber", Variant(3));
    h.driver->set("Baudrate", Variant(9));
  }

 private slots:
  void theLogRequestsSendNoPassword() {
    MainWindowHarness h;
    startOnTheTestPage(h);
    h.driver->clearEvents();
    h.click("Button12");
    h.click("Button13");
    QCOMPARE(h.driver->writesAndCalls(), (Strings{"call TestGet", "call TestClr"}));
  }

  void aSoakTestLogByteForByte() {
    MainWindowHarness h;
    startOnTheTestPage(h);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.log"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'x'));
    old.close();
    h.edit("Edit3")->setText(path);
    h.find<QPlainTextEdit>("Memo2")->clear();
    h.edit("Edit11")->setText(QStringLiteral("abc"));
    scriptRecords(*h.driver, {
                                 bytes({0, 0, 0}),                          // N = 0: type line and <B>
                                 bytes({1, 0xFF, 0}),                       // N = 0 again, overloaded
                                 bytes({2, 0xFF, 3, 1, 0, 2, 0, 0xFF, 0xFF}),  // the first values
                                 bytes({5, 0xFF, 2, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}),
                                 bytes({5, 0, 2, 1, 0, 0, 0}),              // too short: skipped
                                 bytes({9, 0xFF, 1, 7}),  // unknown type: counted, no value logged
                             });
    h.driver->clearEvents();
    h.click("Button17");
    QCOMPARE(h.driver->writesAndCalls().front(), std::string("call TestClr"));
    QCOMPARE(h.text("Edit11"), QStringLiteral("100"));
    QCOMPARE(h.text("Button17"), QStringLiteral("Стор"));
    QVERIFY(!h.find<QPushButton>("Button12")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(h.driver->callCount("TestGet") >= 8, 5000);
    h.showPage(0);
    QCOMPARE(h.find<QTabWidget>("PageControl")->currentIndex(), kPage);  // no page change during a test
    h.click("Button17");
    QCOMPARE(h.text("Button17"), QStringLiteral("Старт"));
    QVERIFY(h.find<QPushButton>("Button12")->isEnabled());
    QCOMPARE(h.text("Label17"), QStringLiteral("6"));
    QCOMPARE(h.text("Label20"), QStringLiteral("4"));

    const QByteArray expected =
        ansi(QStringLiteral("; ЛК-40\r\n;\r\n;\r\n; COM3, скорость = 9, период опроса = 100 мс\r\n;\r\n"
                            "; Начало:      ") + h.text("Label13") + QStringLiteral("\r\n")) +
        summary(h) +
        ansi(QStringLiteral(";\r\n; тип данных = UCHAR\r\n<B>\r\n; тип данных = CHAR\r\n<B>\r\n"
                            "; тип данных = UINT\r\n<B>\r\n1\r\n2\r\n65535\r\n1\r\n-1\r\n<E>"));
    QCOMPARE(readFile(path), expected);
    QVERIFY(h.boxes.empty());
  }

  // While a test runs its display is painted at a steady rate, and only what
  // changed: polls that keep failing alike repaint neither the status fields
  // nor the grid.
  void theHeldDisplayPaintsOnlyWhatChanged() {
    MainWindowHarness h;
    startOnTheTestPage(h);
    QTemporaryDir dir;
    h.edit("Edit3")->setText(dir.filePath(QStringLiteral("held.log")));
    h.edit("Edit11")->setText(QStringLiteral("5"));
    scriptRecords(*h.driver, {bytes({2, 0, 1, 7, 0})});  // one block, then failures
    h.click("Button17");
    QTRY_VERIFY(h.driver->callCount("TestGet") >= 3);
    QTest::qWait(150);  // the failure is on the screen
    int paints = 0;
    PaintSpy spy([&paints](QWidget*) { ++paints; });
    for (const char* field : {"edtError", "edtSend", "edtRecieve"}) h.edit(field)->installEventFilter(&spy);
    h.find<QTableWidget>("StringGrid1")->viewport()->installEventFilter(&spy);
    const int polls = h.driver->callCount("TestGet");
    QTest::qWait(300);
    QVERIFY(h.driver->callCount("TestGet") > polls + 5);
    h.click("Button17");
    QCOMPARE(paints, 0);
  }

  void closingDuringATestFinishesItsLog() {
    MainWindowHarness h;
    startOnTheTestPage(h);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("close.log"));
    h.edit("Edit3")->setText(path);
    h.edit("Edit11")->setText(QStringLiteral("10"));
    scriptRecords(*h.driver, {bytes({0, 0, 2, 12345 & 0xFF, 7})});
    h.click("Button17");
    QTRY_VERIFY(h.text("Label17") == QStringLiteral("2"));
    h.close();
    const QByteArray log = readFile(path);
    QVERIFY2(log.endsWith("57\r\n7\r\n<E>"), log.constData());
    QVERIFY(log.contains(summary(h)));
  }

  void noWayLeavesTheRunningTestsPage() {
    MainWindowHarness h;
    startOnTheTestPage(h);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.log"));
    h.edit("Edit3")->setText(path);
    h.click("Button17");
    auto* pages = h.find<QTabWidget>("PageControl");
    QAccessibleInterface* firstTab = QAccessible::queryAccessibleInterface(pages->tabBar())->child(0);
    QVERIFY(firstTab && firstTab->actionInterface());
    const std::function<void()> ways[] = {
        [&] { pages->setCurrentIndex(0); },
        [&] { pages->tabBar()->setCurrentIndex(1); },
        [&] { firstTab->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); },
    };
    for (const auto& leave : ways) {
      leave();
      QCOMPARE(pages->currentIndex(), kPage);
      QCOMPARE(pages->currentWidget(), pages->widget(kPage));
      QVERIFY(h.find<QTimer>("Timer")->isActive());
    }
    h.click("Button17");
    QVERIFY(readFile(path).endsWith("<E>"));
  }

  void theShownTimesAgreeToTheSecond() {
    // Started late in a second and stopped within the second after: the end
    // shows the next second, and the elapsed time must say so too.
    MainWindowHarness h;
    startOnTheTestPage(h);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("times.log"));
    h.edit("Edit3")->setText(path);
    h.edit("Edit11")->setText(QStringLiteral("10"));
    while (QTime::currentTime().msec() < 700) QTest::qWait(5);
    h.click("Button17");
    QTest::qWait(600);
    h.click("Button17");
    const auto shown = [&](const char* label) {
      return QDateTime::fromString(h.text(label), QStringLiteral("dd.MM.yyyy H:mm:ss"));
    };
    const QTime elapsed = QTime::fromString(h.text("Label15"), QStringLiteral("H:mm:ss"));
    QVERIFY2(elapsed.isValid(), qPrintable(h.text("Label15")));
    QCOMPARE(shown("Label13").secsTo(shown("Label14")), elapsed.msecsSinceStartOfDay() / 1000);
    QVERIFY(readFile(path).contains(summary(h)));
  }

  void aLogThatCannotBeCreatedLeavesTheTestRunning() {
    MainWindowHarness h;
    startOnTheTestPage(h);
    h.edit("Edit3")->setText(QDir::tempPath() + QStringLiteral("/no/such/folder/x.log"));
    h.edit("Edit11")->setText(QStringLiteral("0"));
    h.click("Button17");
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.boxes[0].text, QStringLiteral("Файл не создан!"));
    QCOMPARE(h.boxes[0].caption, QStringLiteral("Внимание"));
    // A period below 1 ms is raised to 1 ms, never a 0 ms timer.
    QCOMPARE(h.text("Edit11"), QStringLiteral("1"));
    QCOMPARE(h.find<QTimer>("Timer")->interval(), 1);
    QVERIFY(h.find<QTimer>("Timer")->isActive());
    h.click("Button17");
    QCOMPARE(h.text("Button17"), QStringLiteral("Старт"));
  }
};

QTEST_MAIN(TestPageTest)
#include "tst_test_page.moc"
