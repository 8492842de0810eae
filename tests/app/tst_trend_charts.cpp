// The trend charts in their windows: "График" leaves the weight display, its
// size and its polls as they were until it is pressed, then grows the window
// by a chart whose figures say what the polls gave; pause, span, reset and
// saving; the redraw rate; "График АЦП" fed by the continuous reading.
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <cmath>

#include "adc_chart/tfrm_adc_chart.h"
#include "display/display_chart.h"
#include "display/tfrm_display.h"
#include "main_window_harness.h"
#include "pages/page_id.h"
#include "trend/trend_panel.h"

using lk40::automation::Driver;
using lk40::automation::Variant;
using lk40::testing::RecordingDriver;
using Strings = std::vector<std::string>;

namespace {

QString figure(const QWidget* window, const QString& caption) {
  for (const QLabel* l : window->findChildren<QLabel*>())
    if (l->accessibleName() == caption) return l->text();
  return QStringLiteral("(none)");
}

struct DisplayUnderTest {
  std::shared_ptr<RecordingDriver> driver = std::make_shared<RecordingDriver>();
  std::vector<ShownBox> boxes;
  TfrmDisplay window{Driver(driver), QString(), 0, 0, lk40::platform::RegionalFormats::russian(),
                     [this](QWidget*, const QString& text, const QString& caption) { boxes.push_back({text, caption}); }};
  int64_t now = 0;
  DisplayUnderTest() {
    window.setHold([](int) {});
    window.show();
  }
  TrendPanel* chartOn() {
    window.chart()->toggle()->click();
    window.chart()->panel()->setClock([this] { return now; });
    return window.chart()->panel();
  }
  void poll(double weight, int mode, int64_t at) {
    now = at;
    driver->setResult("GetChannelStatus", 0);
    driver->set("Weight", Variant(weight));
    driver->set("WeightChannelMode", Variant(mode));
    window.TimerTimer();
  }
};

}  // namespace

class TrendChartsTest : public QObject {
  Q_OBJECT

 private slots:
  void displayIsAsBeforeUntilPressed() {
    QDialog bare;
    DisplayUi bareUi;
    setupDisplayUi(&bare, bareUi);
    DisplayUnderTest d;
    const QSize fixed = bare.size();
    QCOMPARE(d.window.size(), fixed);
    QCOMPARE(d.window.minimumSize(), fixed);
    QCOMPARE(d.window.maximumSize(), fixed);
    // The toggle found room below ">0<": nothing is squeezed.
    QVERIFY(d.window.layout()->minimumSize().width() <= fixed.width());
    QVERIFY(d.window.layout()->minimumSize().height() <= fixed.height());
    // Inside the window, over no other control.
    QVERIFY(QTest::qWaitForWindowExposed(&d.window));
    QToolButton* toggleButton = d.window.chart()->toggle();
    const QRect toggle(toggleButton->mapTo(&d.window, QPoint(0, 0)), toggleButton->size());
    QVERIFY(d.window.rect().contains(toggle));
    for (QWidget* other : d.window.findChildren<QWidget*>())
      if (other != toggleButton && other->isVisible() && !other->isAncestorOf(toggleButton))
        QVERIFY2(!QRect(other->mapTo(&d.window, QPoint(0, 0)), other->size()).intersects(toggle),
                 qPrintable(other->objectName()));
    QVERIFY(!d.window.chart()->panel());

    // A poll makes the same driver calls and reads with the chart as without
    // (the window's own timer may have polled too while it was shown).
    d.driver->clearEvents();
    d.poll(1, 0x10, 0);
    const Strings off = d.driver->trace();
    d.chartOn();
    d.driver->clearEvents();
    d.poll(1, 0x10, 0);
    QCOMPARE(d.driver->trace(), off);
    QVERIFY(d.window.height() > fixed.height());
    d.window.chart()->toggle()->click();
    QCOMPARE(d.window.size(), fixed);
    QCOMPARE(d.window.maximumSize(), fixed);
  }

  void figuresOfThePollsShown() {
    DisplayUnderTest d;
    TrendPanel* panel = d.chartOn();
    QCOMPARE(panel->chart()->accessibleName(), QStringLiteral("График веса"));
    d.poll(1, 0x10, 0);
    d.poll(2, 0x11, 1000);
    d.driver->setResult("GetChannelStatus", 3);
    d.window.TimerTimer();  // failed: no point, the line breaks
    d.poll(std::nan(""), 0x10, 2500);  // no number: no point either
    d.poll(3, 0x00, 3000);
    d.poll(9, 0x40, 4000);  // overload: "--------", no weight read
    d.poll(4, 0x04, 5000);
    panel->chart()->refresh();
    // Worked out apart: slope 8500 / 14 750 000 per ms.
    const std::pair<const char*, const char*> expected[] = {
        {"Точек", "4"},           {"Мин", "1,0000 кг"},    {"Макс", "4,0000 кг"},
        {"Среднее", "2,50000 кг"}, {"СКО", "1,29099 кг"},   {"Размах", "3,0000 кг"},
        {"Дрейф", "34,57627 кг/мин"}, {"Стабильно", "50,0 %"}};
    for (const auto& [caption, text] : expected)
      QCOMPARE(figure(&d.window, QString::fromUtf8(caption)), QString::fromUtf8(text));
    const auto& columns = panel->chart()->columns();
    QVERIFY(columns.at(columns.window().keyOf(3000))->breakBefore);
    QVERIFY(!columns.at(columns.window().keyOf(1000))->breakBefore);

    // Up and down again: the chart keeps its points.
    d.window.chart()->toggle()->click();
    d.poll(5, 0, 6000);
    d.window.chart()->toggle()->click();
    panel->chart()->refresh();
    QCOMPARE(figure(&d.window, QStringLiteral("Точек")), QStringLiteral("5"));
  }

  void pauseSpanAndReset() {
    DisplayUnderTest d;
    TrendPanel* panel = d.chartOn();
    d.poll(1, 0, 0);
    d.poll(2, 0, 200'000);
    panel->chart()->refresh();
    QCOMPARE(figure(&d.window, QStringLiteral("Точек")), QStringLiteral("1"));  // the last minute
    panel->findChild<QComboBox*>(QStringLiteral("cmbSpan"))->setCurrentIndex(4);  // "Всё"
    QCOMPARE(figure(&d.window, QStringLiteral("Точек")), QStringLiteral("2"));
    auto* pause = panel->findChild<QPushButton*>(QStringLiteral("btnPause"));
    pause->click();
    d.poll(3, 0, 201'000);
    panel->chart()->refresh();
    QCOMPARE(figure(&d.window, QStringLiteral("Точек")), QStringLiteral("2"));
    pause->click();
    QCOMPARE(figure(&d.window, QStringLiteral("Точек")), QStringLiteral("3"));
    panel->findChild<QPushButton*>(QStringLiteral("btnReset"))->click();
    QCOMPARE(figure(&d.window, QStringLiteral("Точек")), QStringLiteral("0"));
    QCOMPARE(figure(&d.window, QStringLiteral("СКО")), QStringLiteral("—"));
  }

  void twoHoursOfPollsIn50MsHoldTheLastHourInFlatMemory() {
    DisplayUnderTest d;
    TrendPanel* panel = d.chartOn();
    panel->findChild<QComboBox*>(QStringLiteral("cmbSpan"))->setCurrentIndex(4);
    const std::size_t bytes = panel->series().bytes();
    for (int i = 0; i < 144'000; ++i) {
      d.now = 50 * int64_t{i};
      panel->addPoint(i % 100, i % 2 == 0);
      if (i % 2 == 0) panel->chart()->refresh();  // ten a second of the feed's time
    }
    QCOMPARE(panel->series().bytes(), bytes);
    QCOMPARE(figure(&d.window, QStringLiteral("Точек")), QStringLiteral("72000"));
  }

  void redrawsAtMostTenTimesASecond() {
    DisplayUnderTest d;
    d.window.chart()->toggle()->click();
    QVERIFY(QTest::qWaitForWindowExposed(&d.window));
    const TrendChart* chart = d.window.chart()->panel()->chart();
    const int before = chart->redraws();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1'500) {
      d.poll(std::sin(clock.elapsed() / 100.0), 0, 0);
      QCoreApplication::processEvents();
    }
    const int redraws = chart->redraws() - before;
    QVERIFY2(redraws >= 5 && redraws <= 17, qPrintable(QString::number(redraws)));
  }

  void savesThePointsShownAsCsvOrThePicture() {
    QTemporaryDir dir;
    DisplayUnderTest d;
    TrendPanel* panel = d.chartOn();
    d.poll(1, 0x10, 1'000);
    d.poll(-2.5, 0, 1'250);
    panel->chart()->refresh();
    QString path;
    panel->setChooseFile([&path](QWidget*) { return path; });
    path = dir.filePath(QStringLiteral("weights.csv"));
    panel->save();
    QFile csv(path);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QByteArray("\xC2\xF0\xE5\xEC\xFF;\xD1\xE5\xEA\xF3\xED\xE4\xFB;\xC2\xE5\xF1, \xEA\xE3;"
                                  "\xD3\xF1\xEF\xEE\xEA\xEE\xE5\xED\xE8\xE5\r"));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3};0,250;-2,5000;0\r$"))
                 .match(QString::fromLatin1(lines[2]))
                 .hasMatch(),
             lines[2].constData());
    path = dir.filePath(QStringLiteral("chart.PNG"));
    panel->save();
    QFile png(path);
    QVERIFY(png.open(QIODevice::ReadOnly));
    QVERIFY(png.read(4) == QByteArray("\x89PNG"));
    path = dir.filePath(QStringLiteral("no/such/folder/w.csv"));
    panel->save();
    QCOMPARE(d.boxes.size(), size_t{1});
    QCOMPARE(d.boxes[0].text, QStringLiteral("Файл не записан: ") + path);
    QCOMPARE(d.boxes[0].caption, QStringLiteral("Внимание"));
  }

  void adcChartFedByTheContinuousReading() {
    MainWindowHarness h;
    h.start();
    h.showPage(PageID::Calibration);
    QTimer* timer = h.find<QTimer>("Timer");
    const auto tick = [&] { QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection); };
    h.find<QToolButton>("SpeedButton1")->click();
    h.driver->set("ADCValue", Variant(84'000));
    h.driver->clearEvents();
    tick();
    const Strings withoutChart = h.driver->trace();

    h.click("btnAdcChart");
    h.click("btnAdcChart");
    const auto windows = h.form().findChildren<TfrmAdcChart*>();
    QCOMPARE(windows.size(), 1);
    TfrmAdcChart* chart = windows.front();
    QVERIFY(chart->isVisible() && chart->isWindow() && !chart->isModal());
    QCOMPARE(chart->windowTitle(), QStringLiteral("График АЦП"));
    h.driver->clearEvents();
    tick();
    QCOMPARE(h.driver->trace(), withoutChart);
    h.driver->set("ADCValue", Variant(84'256));
    tick();
    h.driver->setResult("GetADCValue", 1);
    tick();
    chart->panel()->chart()->refresh();
    QCOMPARE(figure(chart, QStringLiteral("Точек")), QStringLiteral("2"));
    QCOMPARE(figure(chart, QStringLiteral("Размах")), QStringLiteral("256 ед."));
    QCOMPARE(figure(chart, QStringLiteral("Бит без шума")), QStringLiteral("16,0"));
    QCOMPARE(figure(chart, QStringLiteral("Стабильно")), QStringLiteral("(none)"));
  }
};

QTEST_MAIN(TrendChartsTest)
#include "tst_trend_charts.moc"
