// The weight display: fields, lamps, the tare button and the weight lines.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

#include "display/tfrm_display.h"
#include "main_window_harness.h"
#include "widgets/pictures.h"

using lk40::automation::Driver;
using lk40::automation::Variant;
using lk40::platform::RegionalFormats;
using lk40::testing::RecordingDriver;

class DisplayTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  static std::unique_ptr<TfrmDisplay> open(const std::shared_ptr<RecordingDriver>& driver, const QString& file,
                                           int period, int step, RegionalFormats formats = RegionalFormats::fullStop(),
                                           std::vector<ShownBox>* boxes = nullptr) {
    auto display = std::make_unique<TfrmDisplay>(Driver(driver), file, period, step, formats,
                                                 [boxes](QWidget*, const QString& text, const QString& caption) {
                                                   if (boxes) boxes->push_back({text, caption});
                                                 });
    display->show();
    return display;
  }
  static QByteArray read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static QList<QByteArray> lines(const QString& file) {
    QList<QByteArray> out = read(file).split('\n');
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
  }
  // A lamp reads as the picture it shows, drawn for its screen.
  static bool shows(const QLabel* lamp, int picture) {
    return lamp->pixmap().toImage() == lampPixmap(picture, lamp->devicePixelRatioF()).toImage();
  }
  static bool lit(const QLabel* lamp) { return shows(lamp, 1); }
  static bool unlit(const QLabel* lamp) { return shows(lamp, 0); }
  static const QString kStamp;

 private slots:
  void withoutLoggingNothingIsTouched() {
    auto driver = std::make_shared<RecordingDriver>();
    const QString file = dir_.filePath(QStringLiteral("none.log"));
    auto display = open(driver, file, 0, 0);
    QCOMPARE(display->windowTitle(), QStringLiteral("Дисплей"));
    QCOMPARE(display->controls().Timer->interval(), 100);
    QVERIFY(display->controls().Timer->isActive());
    display->TimerTimer();
    QVERIFY(!QFile::exists(file));
    QCOMPARE(driver->callCount("GetChannelStatus"), 1);
  }

  void aLineOnEveryNthTickFromTheFirst() {
    auto driver = std::make_shared<RecordingDriver>();
    driver->set("Connected", Variant(true));
    driver->set("ComNumber", Variant(1));
    const QString file = dir_.filePath(QStringLiteral("step5.log"));
    auto display = open(driver, file, 200, 5);
    QCOMPARE(display->windowTitle(), QStringLiteral("Дисплей (COM1)"));
    QCOMPARE(display->controls().Timer->interval(), 200);
    for (int tick = 0; tick < 11; ++tick) display->TimerTimer();
    QCOMPARE(lines(file).size(), 3);
    display.reset();

    auto every = open(driver, dir_.filePath(QStringLiteral("step1.log")), 50, 1);
    for (int tick = 0; tick < 4; ++tick) every->TimerTimer();
    QCOMPARE(lines(dir_.filePath(QStringLiteral("step1.log"))).size(), 4);
  }

  void weightLinesAreExactBytes() {
    for (const auto& [formats, sep] : {std::pair{RegionalFormats::fullStop(), QStringLiteral(".")},
                                       std::pair{RegionalFormats::russian(), QStringLiteral(",")}}) {
      auto driver = std::make_shared<RecordingDriver>();
      const QString file = dir_.filePath(QStringLiteral("weights%1.log").arg(sep == "." ? 1 : 2));
      QFile::remove(file);
      auto display = open(driver, file, 200, 1, formats);
      const std::pair<double, QString> weights[] = {{3.5, ";W: 3%15000"}, {-3.5, ";W:-3%15000"}, {12, ";W:12%10000"}};
      for (const auto& [weight, text] : weights) {
        driver->set("Weight", Variant(weight));
        driver->set("WeightChannelMode", Variant(0x11));
        display->TimerTimer();
      }
      display.reset();
      const QByteArray bytes = read(file);
      QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
      const QList<QByteArray> got = lines(file);
      QCOMPARE(got.size(), 3);
      for (int i = 0; i < 3; ++i) {
        const QString expected = kStamp + QString(weights[i].second).replace(QStringLiteral("%1"), sep) +
                                 QStringLiteral(";T:0%10000;F   C     \r").replace(QStringLiteral("%1"), sep);
        QVERIFY2(QRegularExpression(QStringLiteral("^") + expected + QStringLiteral("$")).match(QString::fromLatin1(got[i])).hasMatch(),
                 got[i].constData());
      }
    }
  }

  void tareAndOverload() {
    auto driver = std::make_shared<RecordingDriver>();
    const QString file = dir_.filePath(QStringLiteral("mode48.log"));
    auto display = open(driver, file, 100, 1, RegionalFormats::russian());
    driver->set("WeightChannelMode", Variant(0x0048));
    driver->set("Tare", Variant(2.5));
    display->TimerTimer();
    const DisplayUi& ui = display->controls();
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("--------"));
    QCOMPARE(ui.edtTare->text(), QStringLiteral("2,5000"));
    QVERIFY(lit(ui.Image2));
    QVERIFY(unlit(ui.Image1) && unlit(ui.Image3) && unlit(ui.Image4));
    QVERIFY(!ui.Button1->isEnabled());
    QVERIFY(lines(file).value(0).endsWith(";   T  >   \r"));

    driver->set("WeightChannelMode", Variant(0));
    driver->set("Weight", Variant(-0.125));
    display->TimerTimer();
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("-0,1250"));
    QVERIFY(unlit(ui.Image1) && unlit(ui.Image2) && unlit(ui.Image3) && unlit(ui.Image4));
    QVERIFY(ui.Button1->isEnabled());

    driver->set("WeightChannelMode", Variant(0x20 | 0x40 | 0x80 | 0x13));
    display->TimerTimer();
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("  -E1-"));
    QVERIFY(lit(ui.Image1) && lit(ui.Image3) && lit(ui.Image4));
    driver->set("WeightChannelMode", Variant(0x80));
    display->TimerTimer();
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("  -E2-"));
  }

  // Each lamp state is drawn once and handed out on every tick; a screen of
  // another pixel ratio gets the pair drawn again.
  void eachLampStateIsDrawnOnce() {
    auto driver = std::make_shared<RecordingDriver>();
    auto display = open(driver, QString(), 0, 0);
    const DisplayUi& ui = display->controls();
    driver->set("WeightChannelMode", Variant(0x02));
    display->TimerTimer();
    const qint64 litKey = ui.Image1->pixmap().cacheKey();
    const qint64 unlitKey = ui.Image2->pixmap().cacheKey();
    driver->set("WeightChannelMode", Variant(0x08));
    display->TimerTimer();
    QVERIFY(unlit(ui.Image1) && lit(ui.Image2));
    QCOMPARE(ui.Image1->pixmap().cacheKey(), unlitKey);
    QCOMPARE(ui.Image2->pixmap().cacheKey(), litKey);

    LampPictures pictures;
    for (const qreal ratio : {1.0, 2.0, 1.5}) {
      for (const int picture : {0, 1}) {
        const QPixmap shown = pictures.picture(picture == 1, ratio);
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(16, 16));
        QCOMPARE(shown.toImage(), lampPixmap(picture, ratio).toImage());
      }
    }
  }

  void anExistingFileIsAppendedTo() {
    auto driver = std::make_shared<RecordingDriver>();
    const QString file = dir_.filePath(QStringLiteral("existing.log"));
    {
      QFile f(file);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("earlier line\r\n");
    }
    auto display = open(driver, file, 100, 1);
    display->TimerTimer();
    display.reset();
    const QList<QByteArray> got = lines(file);
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0], QByteArray("earlier line\r"));
  }

  void aFileInAMissingFolderSwitchesLoggingOffSilently() {
    auto driver = std::make_shared<RecordingDriver>();
    std::vector<ShownBox> boxes;
    const QString file = dir_.filePath(QStringLiteral("no/such/folder/w.log"));
    auto display = open(driver, file, 100, 1, RegionalFormats::fullStop(), &boxes);
    QVERIFY(!display->loggingFileOpen());
    QCOMPARE(display->loggingPeriod(), 0);
    driver->set("Weight", Variant(1.0));
    display->TimerTimer();
    QCOMPARE(display->controls().edtWeight->text(), QStringLiteral("1.0000"));
    QVERIFY(boxes.empty());
    QVERIFY(!QFile::exists(file));
  }

  void aFailedPollIsShownAndLogged() {
    auto driver = std::make_shared<RecordingDriver>();
    driver->setResult("GetChannelStatus", 3);
    driver->set("ResultCode", Variant(3));
    driver->set("ResultCodeDescription", Variant("Нет связи"));
    driver->set("WeightChannelMode", Variant(0x1B));
    const QString file = dir_.filePath(QStringLiteral("failed.log"));
    auto display = open(driver, file, 100, 1, RegionalFormats::russian());
    QElapsedTimer clock;
    clock.start();
    display->TimerTimer();
    QVERIFY(clock.elapsed() >= 490);
    const DisplayUi& ui = display->controls();
    QCOMPARE(ui.edtWeight->text(), QStringLiteral("??????"));
    QCOMPARE(ui.edtTare->text(), QStringLiteral("??????"));
    QVERIFY(unlit(ui.Image1) && unlit(ui.Image2) && unlit(ui.Image3) && unlit(ui.Image4));
    display->close();
    QVERIFY(!ui.Timer->isActive());
    display.reset();
    const QByteArray bytes = read(file);
    // The description in the single-byte code page.
    QVERIFY2(QRegularExpression(QStringLiteral("^") + kStamp + QStringLiteral(";\\xCD\\xE5\\xF2 \\xF1\\xE2\\xFF\\xE7\\xE8\r\n$"))
                 .match(QString::fromLatin1(bytes))
                 .hasMatch(),
             bytes.toHex(' ').constData());
  }

  void aFailedPollIsOnScreenBeforeTheHold() {
    auto driver = std::make_shared<RecordingDriver>();
    driver->set("WeightChannelMode", Variant(0x1B));
    auto display = open(driver, QString(), 0, 0);
    QVERIFY(QTest::qWaitForWindowExposed(display.get()));
    display->TimerTimer();
    const DisplayUi& ui = display->controls();
    QVERIFY(lit(ui.Image1) && lit(ui.Image2) && lit(ui.Image3) && lit(ui.Image4));

    // What each control showed when it was last painted.
    QHash<QString, QString> painted;
    PaintSpy spy([&painted](QWidget* w) {
      const auto* lamp = qobject_cast<QLabel*>(w);
      painted[w->objectName()] =
          lamp ? (lit(lamp) ? "lit" : unlit(lamp) ? "unlit" : "other") : static_cast<QLineEdit*>(w)->text();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Image1, ui.Image2, ui.Image3, ui.Image4, ui.edtWeight,
                                                      ui.edtTare})
      w->installEventFilter(&spy);
    QHash<QString, QString> duringHold;
    int heldMs = 0;
    display->setHold([&](int ms) {
      heldMs = ms;
      duringHold = painted;
    });
    driver->setResult("GetChannelStatus", 3);
    display->TimerTimer();
    QCOMPARE(heldMs, 500);
    const QHash<QString, QString> expected{{"Image1", "unlit"},   {"Image2", "unlit"},    {"Image3", "unlit"},
                                           {"Image4", "unlit"},   {"edtWeight", "??????"}, {"edtTare", "??????"}};
    QCOMPARE(duringHold, expected);
  }

  // A poll paints what it changed and nothing else: a settled reading, or a
  // failure already shown, paints nothing at all.
  void aPollPaintsOnlyWhatItChanged() {
    const struct {
      const char* what;
      int mode;
      double weight;
      int status;
      QStringList painted;
    } polls[] = {
        {"the same reading", 0x1B, 1.5, 0, {}},
        {"another weight", 0x1B, 1.75, 0, {"edtWeight"}},
        {"the tare lamp off", 0x13, 1.75, 0, {"Image2"}},
        {"a failure", 0x13, 1.75, 3, {"Image1", "Image3", "Image4", "edtTare", "edtWeight"}},
        {"the failure again", 0x13, 1.75, 3, {}},
    };
    auto driver = std::make_shared<RecordingDriver>();
    driver->set("WeightChannelMode", Variant(0x1B));
    driver->set("Weight", Variant(1.5));
    auto display = open(driver, QString(), 0, 0);
    display->setHold([](int) {});
    QVERIFY(QTest::qWaitForWindowExposed(display.get()));
    display->TimerTimer();
    QCoreApplication::processEvents();
    const DisplayUi& ui = display->controls();
    QStringList painted;
    PaintSpy spy([&painted](QWidget* w) {
      if (!painted.contains(w->objectName())) painted << w->objectName();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Image1, ui.Image2, ui.Image3, ui.Image4, ui.edtWeight,
                                                      ui.edtTare})
      w->installEventFilter(&spy);
    for (const auto& poll : polls) {
      driver->set("WeightChannelMode", Variant(poll.mode));
      driver->set("Weight", Variant(poll.weight));
      driver->setResult("GetChannelStatus", poll.status);
      painted.clear();
      display->TimerTimer();
      QCoreApplication::processEvents();
      painted.sort();
      QCOMPARE(painted, poll.painted);
    }
  }

  void theBigButtonsCallTareAndZero() {
    auto driver = std::make_shared<RecordingDriver>();
    auto display = open(driver, QString(), 0, 0);
    QTest::mouseClick(display->controls().Button1, Qt::LeftButton);
    QTest::mouseClick(display->controls().Button2, Qt::LeftButton);
    QCOMPARE(driver->writesAndCalls(), (std::vector<std::string>{"call SetTare", "call SetZero"}));
  }

  void aDriverErrorDuringATickIsShownAndPollingGoesOn() {
    auto driver = std::make_shared<RecordingDriver>();
    std::vector<ShownBox> boxes;
    auto display = open(driver, QString(), 0, 0, RegionalFormats::fullStop(), &boxes);
    driver->failOn("WeightChannelMode", "ошибка чтения");
    display->TimerTimer();
    QCOMPARE(boxes.size(), size_t{1});
    QCOMPARE(boxes[0].text, QStringLiteral("ошибка чтения"));
    QVERIFY(display->controls().Timer->isActive());
  }
};

const QString DisplayTest::kStamp = QStringLiteral("\\d\\d\\.\\d\\d\\.\\d{4};\\d{1,2}:\\d\\d:\\d\\d");

QTEST_MAIN(DisplayTest)
#include "tst_display.moc"
