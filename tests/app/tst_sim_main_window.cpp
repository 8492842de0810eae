// The main window over the simulated module, loaded by its ProgID: the bench
// and the module checked against each other through the real buttons, from
// the connection to a short soak test.
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include "contract/command_codes.h"
#include "main_window_harness.h"
#include "platform/code_page.h"

namespace {
constexpr int kWeighingPage = 2;
constexpr int kTestPage = 6;
const QString kNoError = QStringLiteral("0: Ошибок нет");

// The command code of a frame as the status fields show it ("02 01 FC FD").
QString frameCommand(const QString& dump) { return dump.split(QLatin1Char(' ')).value(2); }
QString hex(uint8_t code) { return QString::number(code, 16).toUpper(); }

QList<QByteArray> fileLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().split('\n');
}
QByteArray ansi(const char* utf8) { return QByteArray::fromStdString(lk40::platform::utf8ToAnsi(utf8)); }
}  // namespace

class SimMainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void connectIdentifyWeighAndSoak() {
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("scenario.ini"));
    QFile file(scenario);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Load]\nProfile=fixed\nWeight=1.5\n");
    file.close();
    qputenv("LK40_SIM_SCENARIO", scenario.toLocal8Bit());
    // The driver's settings stay in dir; on POSIX the plugin is the one built
    // here, on Windows the COM server registered for the tests.
#ifdef LK40_SIM_DRIVER_DIR
    qputenv("LK40_DRIVER_PATH", LK40_SIM_DRIVER_DIR);
#endif
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    qputenv("APPDATA", QDir::toNativeSeparators(dir.path()).toLocal8Bit());
    qputenv("LK40_SIM_NO_DELAY", "1");

    MainWindowHarness h{MainWindowHarness::DriverOnDisk{}};
    h.arguments = {QStringLiteral("-t")};
    h.start();
    QVERIFY(h.form().started());
    QCOMPARE(h.boxes.size(), size_t{0});

    h.click("Button15");  // "Установить соединение"
    QCOMPARE(h.text("edtError"), kNoError);
    QCOMPARE(frameCommand(h.text("edtSend")), hex(lk40::command::kGetDeviceMetrics));

    h.click("Button36");  // "Получить тип устройства"
    QCOMPARE(h.text("edtError"), kNoError);
    QCOMPARE(frameCommand(h.text("edtSend")), hex(lk40::command::kGetDeviceMetrics));
    QCOMPARE(frameCommand(h.text("edtRecieve")), hex(lk40::command::kGetDeviceMetrics));
    const QStringList metrics{h.text("Edit23"), h.text("Edit25"), h.text("Edit29"), h.text("Edit31"),
                              h.text("Edit24"), h.text("Edit26"), h.text("Edit32")};
    QCOMPARE(metrics, (QStringList{"4", "0", "1", "2", "40", "1251", "ЛК-40 имитатор"}));

    // The module settles on its load over some exchanges: asked until it
    // reports the weight fixed.
    h.showPage(kWeighingPage);
    for (int ask = 0; ask < 30 && !h.text("Memo3").contains(QStringLiteral("фиксация веса: <есть>")); ++ask) {
      h.click("Button18");  // "Запрос состояния весового устр."
      QCOMPARE(h.text("edtError"), kNoError);
    }
    QCOMPARE(frameCommand(h.text("edtSend")), hex(lk40::command::kGetChannelStatus));
    // The module's word against its nine flag lines, and the load it weighs.
    const QStringList status = h.text("Memo3").split(QLatin1Char('\n'));
    QCOMPARE(status.size(), 12);
    const QString head = QStringLiteral("Состояние весового устройства: <");
    QVERIFY2(status[0].startsWith(head) && status[0].endsWith(QLatin1Char('>')), qPrintable(status[0]));
    bool number = false;
    const int word = status[0].mid(head.size()).chopped(1).toInt(&number);
    QVERIFY(number);
    for (int bit = 0; bit < 9; ++bit) {
      const QString mark = (word >> bit & 1) ? QStringLiteral(": <есть>") : QStringLiteral(": <нет>");
      QVERIFY2(status[1 + bit].startsWith(QLatin1Char('\t')) && status[1 + bit].endsWith(mark),
               qPrintable(status[1 + bit]));
    }
    QCOMPARE(status[1], QStringLiteral("\tфиксация веса: <есть>"));
    QCOMPARE(status[7], QStringLiteral("\tперегрузка по весу: <нет>"));
    QCOMPARE(status[10], QStringLiteral("Вес:    1,5000 кг"));
    QCOMPARE(status[11], QStringLiteral("Тара:    0,0000 кг"));

    h.showPage(kTestPage);
    const QString log = dir.filePath(QStringLiteral("soak.log"));
    h.edit("Edit3")->setText(log);
    h.edit("Edit11")->setText(QStringLiteral("5"));
    h.click("Button17");  // "Старт"
    QTRY_VERIFY_WITH_TIMEOUT(h.text("Label17").toInt() >= 20, 20000);
    h.click("Button17");  // "Стор"
    QCOMPARE(h.text("Button17"), QStringLiteral("Старт"));
    QCOMPARE(h.boxes.size(), size_t{0});
    QCOMPARE(h.text("Label20"), QStringLiteral("0"));

    // The module's records against the bench's counts and log: one value
    // line per counted value, the block of the first record (LONG, the type
    // after a clear) begun once, the count in the summary.
    const QList<QByteArray> lines = fileLines(log);
    const qsizetype begin = lines.indexOf(ansi("; тип данных = LONG\r"));
    QVERIFY(begin > 0);
    QCOMPARE(lines.value(begin + 1), QByteArray("<B>\r"));
    QCOMPARE(lines.last(), QByteArray("<E>"));
    const QList<QByteArray> values = lines.mid(begin + 2, lines.size() - begin - 3);
    QCOMPARE(values.size(), h.text("Label17").toInt());
    for (const QByteArray& value : values) {
      bool number = false;
      value.chopped(1).toLongLong(&number);
      QVERIFY2(number && value.endsWith('\r'), value.constData());
    }
    QVERIFY(lines.contains(ansi("; Измерений:    ") + h.text("Label17").toLatin1() +
                           QByteArray(25 - 16 - h.text("Label17").size(), ' ') + "\r"));
    // The grid holds the last record, whose values end the log.
    const auto* grid = h.find<QTableWidget>("StringGrid1");
    const int count = grid->item(3, 1)->text().toInt();
    QVERIFY(count > 0);
    QCOMPARE(grid->rowCount(), 4 + count);
    for (int i = 0; i < count; ++i)
      QCOMPARE(grid->item(4 + i, 1)->text().toLatin1() + "\r", values.value(values.size() - count + i));
    h.close();
  }
};

QTEST_MAIN(SimMainWindowTest)
#include "tst_sim_main_window.moc"
