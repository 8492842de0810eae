// "Вес": the operations' writes, the state blocks and opening the display.
#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include "display/tfrm_display.h"
#include "main_window_harness.h"
#include "widgets/radio_group.h"

using lk40::automation::Currency;
using lk40::automation::Variant;
using Strings = std::vector<std::string>;

class WeighingPageTest : public QObject {
  Q_OBJECT

  static MainWindowHarness* started(MainWindowHarness& h) {
    h.start();
    h.showPage(2);
    h.edit("Edit53")->setText(QStringLiteral("30"));
    return &h;
  }
  static QStringList memo(MainWindowHarness& h, const char* name) { return h.text(name).split('\n'); }

 private slots:
  void everyButtonWritesItsPropertiesThenCallsItsMethod() {
    MainWindowHarness h;
    started(h);
    h.edit("Edit1")->setText(QStringLiteral("1,5"));
    h.edit("Edit12")->setText(QStringLiteral("12,34"));
    h.edit("Edit14")->setText(QStringLiteral("7"));
    h.find<RadioGroup>("RadioGroup3")->setItemIndex(1);
    QCOMPARE(h.clickAndRecord("Button23"), (Strings{"put Password=30", "call SetZero"}));
    QCOMPARE(h.clickAndRecord("Button24"), (Strings{"put Password=30", "call SetTare"}));
    QCOMPARE(h.clickAndRecord("Button25"), (Strings{"put Password=30", "put Tare=1.5", "call SetTareValue"}));
    QCOMPARE(h.clickAndRecord("Button18"), (Strings{"put Password=30", "call GetChannelStatus"}));
    QCOMPARE(h.clickAndRecord("Button34"), (Strings{"put Password=30", "call GetChannelStatusEx"}));
    // The extended state wrote the driver's goods back; type them again.
    h.edit("Edit12")->setText(QStringLiteral("12,34"));
    h.edit("Edit14")->setText(QStringLiteral("7"));
    h.find<RadioGroup>("RadioGroup3")->setItemIndex(1);
    QCOMPARE(h.clickAndRecord("Button35"),
             (Strings{"put Password=30", "put Price=12.34", "put Quantity=7", "put GoodType=1", "call SetGoodData"}));
    h.find<RadioGroup>("RadioGroup3")->setItemIndex(-1);
    h.edit("Edit14")->setText(QStringLiteral("x"));
    QCOMPARE(h.clickAndRecord("Button35"),
             (Strings{"put Password=30", "put Price=12.34", "put Quantity=0", "put GoodType=-1", "call SetGoodData"}));
    QVERIFY(h.boxes.empty());
  }

  void aTareThatIsNoNumberCallsNothing() {
    MainWindowHarness h;
    started(h);
    h.edit("Edit1")->setText(QStringLiteral("1.5"));  // a full stop under a comma locale
    QCOMPARE(h.clickAndRecord("Button25"), (Strings{"put Password=30"}));
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.boxes[0].text, QStringLiteral("'1.5' is not a valid floating point value"));
    QVERIFY(h.find<QPushButton>("Button25")->isEnabled());
  }

  void theStatusBlock() {
    MainWindowHarness h;
    started(h);
    h.driver->set("WeightChannelMode", Variant(0x0051 | 0x0200));
    h.driver->set("Weight", Variant(1.5));
    h.driver->set("Tare", Variant(0.25));
    h.driver->set("ChannelON", Variant(false));
    h.find<QPlainTextEdit>("Memo3")->setPlainText(QStringLiteral("старое"));
    h.click("Button18");
    const QStringList expected = {
        QStringLiteral("Состояние весового устройства: <593>"), QStringLiteral("\tфиксация веса: <есть>"),
        QStringLiteral("\tработа автонуля: <нет>"),            QStringLiteral("\tканал включен: <нет>"),
        QStringLiteral("\tтара: <нет>"),                       QStringLiteral("\tуспокоение веса: <есть>"),
        QStringLiteral("\tошибка автонуля при включении: <нет>"), QStringLiteral("\tперегрузка по весу: <есть>"),
        QStringLiteral("\tошибка при получении измерения: <нет>"), QStringLiteral("\tАЦП недогружен: <нет>"),
        QStringLiteral("Вес:    1,5000 кг"),                   QStringLiteral("Тара:    0,2500 кг")};
    QCOMPARE(memo(h, "Memo3"), expected);
    QVERIFY(isBlue(h.find<QPlainTextEdit>("Memo3")));
    // The channels page's box follows the driver although that page is not shown.
    QVERIFY(!h.find<QCheckBox>("CheckBox5")->isChecked());
  }

  void theExtendedStatusWritesTheGoodsBack() {
    MainWindowHarness h;
    started(h);
    h.driver->set("Tare", Variant(1.23456789));
    h.driver->set("Price", Variant(Currency{125000}));
    h.driver->set("Cost", Variant(Currency{250000}));
    h.driver->set("Quantity", Variant(3));
    h.driver->set("LastKey", Variant(17));
    h.driver->set("ChannelON", Variant(true));
    h.find<QCheckBox>("CheckBox5")->setChecked(false);
    const std::pair<int, int> types[] = {{0, 0}, {1, 1}, {7, 1}, {-1, -1}};
    for (const auto& [type, item] : types) {
      h.driver->set("GoodType", Variant(type));
      h.click("Button34");
      const QStringList lines = memo(h, "Memo3");
      QCOMPARE(lines.size(), 17);
      QCOMPARE(lines[12], type == 0 ? QStringLiteral("Тип товара - весовой") : QStringLiteral("Тип товара - штучный"));
      QCOMPARE(lines[13], QStringLiteral("Количество: 3"));
      QCOMPARE(lines[14], QStringLiteral("Цена:    12,50 р"));
      QCOMPARE(lines[15], QStringLiteral("Стоимость:    25,00 р"));
      QCOMPARE(lines[16], QStringLiteral("Код последней нажатой клавиши 17"));
      QCOMPARE(h.find<RadioGroup>("RadioGroup3")->itemIndex(), item);
    }
    QCOMPARE(h.text("Edit1"), QStringLiteral("1,23456789"));
    QCOMPARE(h.text("Edit12"), QStringLiteral("12,5"));
    QCOMPARE(h.text("Edit14"), QStringLiteral("3"));
    for (const char* field : {"Edit1", "Edit12", "Edit14"}) QVERIFY(isBlue(h.edit(field)));
    QVERIFY(h.find<QCheckBox>("CheckBox5")->isChecked());
  }

  void aStateRequestEmptiesTheMemoOnlyWhenItReturns() {
    MainWindowHarness h;
    started(h);
    auto* memo3 = h.find<QPlainTextEdit>("Memo3");
    memo3->setPlainText(QStringLiteral("старое"));
    h.driver->set("ResultCode", Variant(3));
    h.click("Button34");
    QCOMPARE(memo3->toPlainText(), QString());
    memo3->setPlainText(QStringLiteral("старое"));
    h.driver->failOn("GetChannelStatusEx", "нет ответа");
    h.click("Button34");
    QCOMPARE(memo3->toPlainText(), QStringLiteral("старое"));
  }

  void theSupplyBlock() {
    MainWindowHarness h;
    h.start();
    h.showPage(1);
    h.driver->set("Voltage5", Variant(502));
    h.driver->set("Voltage12", Variant(1195));
    h.driver->set("VoltageX", Variant(4));
    h.driver->set("VoltageFlags", Variant(6));
    h.driver->set("VoltageX1", Variant(-2));
    // The settings page's button comes later; its presentation is here.
    h.form().ShowCommandResult(0xF3);
    const QStringList expected = {QStringLiteral("Напряжение на линии 5В:  5,02"),
                                  QStringLiteral("Напряжение на линии 12В: 11,95"),
                                  QStringLiteral("Зарезервированное значение №1: 4"),
                                  QStringLiteral("Флаги: <6>"),
                                  QStringLiteral("\tналичие тока зарядки: <нет>"),
                                  QStringLiteral("\tбатарея разряжена на 70%: <есть>"),
                                  QStringLiteral("\tбатарея разряжена на 90%: <есть>"),
                                  QStringLiteral("\tошибка - питание слишком низкое/высокое: <нет>"),
                                  QStringLiteral("Зарезервированное значение №2: -2")};
    QCOMPARE(memo(h, "Memo4"), expected);
  }

  void aFailingStateRequestOpensNoDisplay() {
    MainWindowHarness h;
    started(h);
    h.driver->setResult("GetChannelStatus", 4);
    h.driver->set("ResultCode", Variant(4));
    h.driver->set("ResultCodeDescription", Variant("Нет связи"));
    bool dialogSeen = false;
    QTimer::singleShot(300, [&] {
      if (auto* w = QApplication::activeModalWidget()) {
        dialogSeen = true;
        w->close();
      }
    });
    h.click("Button20");
    QTest::qWait(400);
    QVERIFY(!dialogSeen);
    QVERIFY(!h.form().isMinimized());
    QCOMPARE(h.text("edtError"), QStringLiteral("4: Нет связи"));
  }

  void aDisplayThatCannotOpenLeavesTheMainWindowRestored() {
    MainWindowHarness h;
    h.arguments = {QStringLiteral("w.log"), QStringLiteral("200"), QStringLiteral("5")};
    started(h);
    h.driver->failOn("Connected", "нет свойства");
    h.click("Button20");
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.boxes[0].text, QStringLiteral("нет свойства"));
    QVERIFY(!h.form().isMinimized());
  }

  void theDisplayOpensWithTheLoggingSettingsOfTheCommandLine() {
    MainWindowHarness h;
    started(h);
    struct Seen {
      bool open = false, minimised = false;
      QString caption, file;
      int interval = 0, period = -1;
    } seen;
    // Looks for the modal display until it is there, however slowly it opens.
    QTimer watcher;
    watcher.setInterval(50);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      auto* display = qobject_cast<TfrmDisplay*>(QApplication::activeModalWidget());
      if (!display) return;
      watcher.stop();
      seen.open = true;
      seen.minimised = h.form().isMinimized();
      seen.caption = display->windowTitle();
      seen.interval = display->controls().Timer->interval();
      seen.period = display->loggingPeriod();
      display->close();
    });
    watcher.start();
    h.driver->clearEvents();
    h.click("Button20");
    QVERIFY(seen.open);
    QVERIFY(seen.minimised);
    QCOMPARE(seen.caption, QStringLiteral("Дисплей"));
    QCOMPARE(seen.interval, 100);
    QCOMPARE(seen.period, 0);
    QVERIFY(!h.form().isMinimized());
    const Strings calls = h.driver->writesAndCalls();
    QCOMPARE((Strings(calls.begin(), calls.begin() + 2)), (Strings{"put Password=30", "call GetChannelStatus"}));
  }
};

QTEST_MAIN(WeighingPageTest)
#include "tst_weighing_page.moc"
