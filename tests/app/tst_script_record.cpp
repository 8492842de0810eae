// A script recorded from clicks and keys on the real main window over the
// recording driver, and the same script replayed on a new window: each
// recorded step is the step the replay carries out, and it passes.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include "core/run_reporter.h"
#include "core/run_script.h"
#include "main_window_harness.h"
#include "pages/page_id.h"
#include "script_record/script_recorder.h"
#include "script_run/script_runner.h"
#include "support/recording_driver.h"
#include "widgets/radio_group.h"

namespace {

// Types into a field as the keyboard does: the field takes the focus, its
// text is replaced key by key.
void typeInto(QLineEdit* field, const QString& text) {
  field->setFocus(Qt::MouseFocusReason);
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
}

// Runs `act` on the modal window once it is up (it runs inside the click).
void onModal(std::function<void(QWidget*)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      act(modal);
    }
  });
  poll->start(10);
}

void scriptTheDriver(lk40::testing::RecordingDriver& driver) {
  driver.set("ChannelMaxWeight", lk40::automation::Variant(10.0));
}

}  // namespace

class ScriptRecordTest : public QObject {
  Q_OBJECT

 private slots:
  void recordedThenReplayed() {
    MainWindowHarness h;
    scriptTheDriver(*h.driver);
    TfrmMain& window = h.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ScriptRecorder* recorder = ScriptRecorder::of(&window);
    QCOMPARE(ScriptRecorder::of(&window), recorder);
    recorder->setRecording(true);

    typeInto(h.edit("edtTimeOut"), QStringLiteral("200"));
    h.click("Button15");  // the click takes the focus: the field is left first
    h.showPage(PageID::Weighing);
    typeInto(h.edit("Edit1"), QStringLiteral("2,5"));
    h.find<RadioGroup>("RadioGroup3")->button(1)->click();
    h.click("Button25");
    h.showPage(PageID::Channels);
    QTest::mouseClick(h.find<QCheckBox>("CheckBox5"), Qt::LeftButton);
    onModal([](QWidget* dialog) {
      QVERIFY(QTest::qWaitForWindowActive(dialog));
      typeInto(dialog->findChild<QLineEdit*>(QStringLiteral("Edit4")), QStringLiteral("150"));
      QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("Button3")), Qt::LeftButton);
      QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    });
    h.click("Button31");
    recorder->setRecording(false);
    h.click("Button27");  // not recorded any more

    const std::string text = recorder->text();
    const std::string steps = text.substr(text.find("\n\n") + 2);
    QCOMPARE(QString::fromStdString(steps), QStringLiteral("set Таймаут 200\n"
                                                           "press Установить соединение\n"
                                                           "expect edtError \"0: \"\n"
                                                           "page Вес\n"
                                                           "set Тара 2,5\n"
                                                           "set \"Тип товара\" штучный\n"
                                                           "press Задать тару\n"
                                                           "expect edtError \"0: \"\n"
                                                           "page Весовые каналы\n"
                                                           "set \"Канал включен\" нет\n"
                                                           "press Записать хар-ки канала...\n"
                                                           "set НПВ 150\n"
                                                           "press расчет\n"
                                                           "expect Степень -2\n"
                                                           "press Записать\n"
                                                           "expect edtError \"0: \"\n"));
    QCOMPARE(h.driver->value("ChannelMaxWeight").toDouble(), 150.0);

    // Replayed over a new window and driver: the same writes, every step passes.
    MainWindowHarness again;
    scriptTheDriver(*again.driver);
    ScriptRunner runner;
    again.onBox = [&](const ShownBox& box) { runner.recordBox(box.text, box.caption); };
    TfrmMain& replayed = again.start();
    replayed.show();
    QVERIFY(QTest::qWaitForWindowActive(&replayed));
    const lk40::core::Script script = lk40::core::parseScript(text);
    QVERIFY(script.errors.empty());
    std::string report;
    lk40::core::RunReporter reporter(
        {}, [&](std::string_view part) { return report.append(part), true; }, [](int) {});
    runner.run(replayed, script.steps, reporter);
    QVERIFY2(reporter.finish() == lk40::core::kRunPassed, report.c_str());
    QCOMPARE(again.driver->value("ChannelMaxWeight").toDouble(), 150.0);
    QCOMPARE(again.driver->value("ChannelDegree").toInt(), -2);
    QCOMPARE(again.driver->value("Tare").toDouble(), 2.5);
    QCOMPARE(again.driver->value("Timeout").toInt(), 200);
    QCOMPARE(again.driver->callCount("SetChannelParam"), 1);
  }

  // A window no script drives is a comment, not a press a replay would fail on.
  void aWindowNoScriptDrivesIsAComment() {
    MainWindowHarness h;
    TfrmMain& window = h.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ScriptRecorder* recorder = ScriptRecorder::of(&window);
    recorder->setRecording(true);
    onModal([](QWidget* about) { about->close(); });
    h.click("btnAbout");
    const std::string text = recorder->text();
    QVERIFY2(text.find("\n# press О программе: окно «О программе» сценарий не ведёт\n") != std::string::npos,
             text.c_str());
    QVERIFY2(text.find("\npress ") == std::string::npos, text.c_str());
  }

  // Written whole or not at all: a link in the file's place is refused.
  void savedWhole() {
    MainWindowHarness h;
    TfrmMain& window = h.start();
    ScriptRecorder* recorder = ScriptRecorder::of(&window);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.txt"));
    QVERIFY(recorder->save(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("# Записано lk40-drvtest "));
#ifndef Q_OS_WIN  // there QFile::link makes a shortcut, an ordinary file
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(path, link));
    QVERIFY(!recorder->save(link));
#endif
    QVERIFY(!recorder->save(dir.filePath(QStringLiteral("no/such/folder/x.txt"))));
  }
};

QTEST_MAIN(ScriptRecordTest)
#include "tst_script_record.moc"
