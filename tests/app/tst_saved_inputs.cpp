// The inputs kept between runs in the settings store, the page defaults, and
// the driver's settings dialog.
#include <cerrno>
#include <climits>
#include <system_error>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTabWidget>

#include "main_window_harness.h"
#include "widgets/radio_group.h"

using lk40::automation::Variant;

class SettingsTest : public QObject {
  Q_OBJECT

  // The start-up connection copies the driver's settings over the restored
  // ones when it succeeds; these tests look at the restore, so it fails.
  static void refuseConnect(MainWindowHarness& h) { h.driver->setResult("Connect", 1); }

  static QByteArray read(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
  }
  static void write(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  static void editStore(MainWindowHarness& h, const QString& pattern, const QString& replacement) {
    QString text = QString::fromUtf8(read(h.settingsFile()));
    const QString edited = text.replace(QRegularExpression(pattern, QRegularExpression::MultilineOption), replacement);
    write(h.settingsFile(), edited.toUtf8());
  }

 private slots:
  void aFirstRunShowsTheDefaultsSilently() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    QVERIFY(h.boxes.empty());
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("150"));
    QCOMPARE(h.find<QComboBox>("cbBaudRate")->currentIndex(), 2);
    QCOMPARE(h.find<QComboBox>("ComboBox2")->currentIndex(), 0);
    QCOMPARE(h.text("Edit53"), QStringLiteral("30"));
    QCOMPARE(h.text("Edit13"), QStringLiteral("1"));
    QCOMPARE(h.text("Edit20"), QStringLiteral("150"));
    QCOMPARE(h.find<QComboBox>("ComboBox4")->currentIndex(), 2);
    QVERIFY(h.find<QCheckBox>("CheckBox5")->isChecked());
    QCOMPARE(h.find<RadioGroup>("RadioGroup3")->itemIndex(), 0);
    QCOMPARE(h.find<QTabWidget>("PageControl")->currentIndex(), 0);
  }

  void everySavedControlSurvivesARestart() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    const char* edits[] = {"edtTimeOut", "Edit17", "Edit4", "Edit123", "Edit1", "Edit12", "Edit14", "Edit2",
                           "Edit7", "Edit13", "Edit8", "Edit20", "Edit9", "Edit3", "Edit11", "Edit53"};
    int n = 0;
    for (const char* name : edits) h.edit(name)->setText(QStringLiteral("Значение %1 \"\\").arg(++n));
    h.find<QComboBox>("cbBaudRate")->setCurrentIndex(5);
    h.find<QComboBox>("ComboBox2")->setCurrentIndex(-1);
    h.find<QComboBox>("ComboBox4")->setCurrentIndex(6);
    h.find<QComboBox>("ComboBox3")->setCurrentIndex(31);
    h.find<RadioGroup>("RadioGroup1")->setItemIndex(2);
    h.find<RadioGroup>("RadioGroup3")->setItemIndex(1);
    h.find<QCheckBox>("CheckBox7")->setChecked(true);
    h.find<QCheckBox>("CheckBox5")->setChecked(false);
    h.find<QPlainTextEdit>("Memo2")->setPlainText(QStringLiteral("комментарий"));
    h.edit("Edit16")->setText(QStringLiteral("1A2B"));

    h.restart();
    QVERIFY(h.boxes.empty());
    n = 0;
    for (const char* name : edits) QCOMPARE(h.text(name), QStringLiteral("Значение %1 \"\\").arg(++n));
    QCOMPARE(h.find<QComboBox>("cbBaudRate")->currentIndex(), 5);
    QCOMPARE(h.find<QComboBox>("ComboBox2")->currentIndex(), -1);
    QCOMPARE(h.find<QComboBox>("ComboBox4")->currentIndex(), 6);
    QCOMPARE(h.find<QComboBox>("ComboBox3")->currentIndex(), 31);
    QCOMPARE(h.find<RadioGroup>("RadioGroup1")->itemIndex(), 2);
    QCOMPARE(h.find<RadioGroup>("RadioGroup3")->itemIndex(), 1);
    QVERIFY(h.find<QCheckBox>("CheckBox7")->isChecked());
    QVERIFY(!h.find<QCheckBox>("CheckBox5")->isChecked());
    // Memos and read-only fields are not kept.
    QCOMPARE(h.text("Memo2"), QString());
    QCOMPARE(h.text("Edit16"), QString());

    const QString store = QString::fromUtf8(read(h.settingsFile()));
    QVERIFY(store.startsWith(QStringLiteral("Windows Registry Editor Version 5.00")));
    QVERIFY(store.contains(QStringLiteral("[HKEY_CURRENT_USER\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param]")));
    QVERIFY(store.contains(QStringLiteral("\"20\"=dword:00000005")));
    QVERIFY(store.contains(QStringLiteral("\"21\"=dword:ffffffff")));
    QVERIFY(store.contains(QStringLiteral("\"134\"=dword:00000000")));
    QVERIFY(store.contains(QStringLiteral("\"19\"=\"Значение 1 \\\"\\\\\"")));
    QStringList names;
    const auto matches = QRegularExpression(QStringLiteral("^\"(\\d+)\"="), QRegularExpression::MultilineOption).globalMatch(store);
    for (auto it = matches; it.hasNext();) names << it.next().captured(1);
    QCOMPARE(names.join(','), QStringLiteral("19,20,21,22,45,54,56,58,73,78,79,80,89,90,95,104,105,109,110,111,126,134,145,147,161"));
  }

  void withoutSavedInputsTheStoreIsNeitherReadNorWritten() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    h.edit("edtTimeOut")->setText(QStringLiteral("321"));
    h.close();
    const QByteArray saved = read(h.settingsFile());
    QVERIFY(saved.contains("321"));

    h.savedInputs = false;
    h.restart();
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("150"));
    h.edit("edtTimeOut")->setText(QStringLiteral("654"));
    h.close();
    QCOMPARE(read(h.settingsFile()), saved);
    QVERIFY(h.boxes.empty());
  }

  void aMissingComboValueStopsTheRestoreAndBringsTheDefaultsBack() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    h.edit("edtTimeOut")->setText(QStringLiteral("99"));
    h.edit("Edit17")->setText(QStringLiteral("5"));
    h.edit("Edit3")->setText(QStringLiteral("test.log"));
    h.close();
    editStore(h, QStringLiteral("^\"20\"=.*\\r\\n"), QString());
    h.restart();
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.boxes[0].text, QStringLiteral("Ошибка загрузки настроек\r\nВосстановлены значения по умолчанию"));
    QCOMPARE(h.boxes[0].caption, QStringLiteral("Внимание"));
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("150"));
    QCOMPARE(h.text("Edit17"), QStringLiteral("0"));
    QCOMPARE(h.text("Edit3"), QString());
    QCOMPARE(h.find<QTabWidget>("PageControl")->currentIndex(), 0);
  }

  void aMissingEditValueGivesAnEmptyField() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    h.close();
    editStore(h, QStringLiteral("^\"19\"=.*\\r\\n"), QString());
    h.restart();
    QVERIFY(h.boxes.empty());
    QCOMPARE(h.text("edtTimeOut"), QString());
  }

  void valuesOfTheWrongTypeAreAFailure() {
    for (const auto& [pattern, replacement] :
         {std::pair{QStringLiteral("^\"20\"=.*$"), QStringLiteral("\"20\"=\"2\"\r")},
          std::pair{QStringLiteral("^\"19\"=.*$"), QStringLiteral("\"19\"=dword:00000096\r")}}) {
      MainWindowHarness h;
      refuseConnect(h);
      h.start();
      h.close();
      editStore(h, pattern, replacement);
      h.restart();
      QCOMPARE(h.boxes.size(), size_t{1});
      QCOMPARE(h.text("edtTimeOut"), QStringLiteral("150"));
    }
  }

  void outOfRangeIndexes() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    h.close();
    editStore(h, QStringLiteral("^\"20\"=.*$"), QStringLiteral("\"20\"=dword:00000009\r"));
    editStore(h, QStringLiteral("^\"45\"=.*$"), QStringLiteral("\"45\"=dword:00000009\r"));
    editStore(h, QStringLiteral("^\"79\"=.*$"), QStringLiteral("\"79\"=dword:fffffff0\r"));
    h.restart();
    QVERIFY(h.boxes.empty());
    QCOMPARE(h.find<QComboBox>("cbBaudRate")->currentIndex(), -1);
    QCOMPARE(h.find<RadioGroup>("RadioGroup1")->itemIndex(), 2);
    QCOMPARE(h.find<RadioGroup>("RadioGroup3")->itemIndex(), -1);
  }

  void aDamagedStoreNeverCrashes() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    h.close();
    QByteArray bytes = read(h.settingsFile());
    bytes.truncate(bytes.size() / 2);
    bytes += QByteArray("\"\\q\x01\xff garbage\r\n[unterminated\r\n\"19\"=\"bad \\escape\r\n");
    write(h.settingsFile(), bytes);
    h.restart();
    QCOMPARE(h.boxes.size(), size_t{1});
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("150"));
  }

  void anUnwritableStoreIsToldAndTheWindowStillCloses() {
    // The store cannot be opened (its folder is a regular file), or it cannot
    // be replaced (a folder holds the name its save writes aside).
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("blocker")), "x");
    const QString below = dir.filePath(QStringLiteral("blocker/sub/HKEY_CURRENT_USER.reg"));
    const QString aside = dir.filePath(QStringLiteral("HKEY_CURRENT_USER.reg"));
    QVERIFY(QDir().mkpath(aside + QStringLiteral(".tmp-%1/inside").arg(QCoreApplication::applicationPid())));
    for (const auto& [file, error] : {std::pair{below, ENOTDIR}, std::pair{aside, EEXIST}}) {
      auto driver = lk40::testing::RecordingDriver::install();
      driver->setResult("Connect", 1);
      std::vector<ShownBox> boxes;
      const QWidget* owner = nullptr;
      TfrmMainOptions options;
      options.settingsFile = file.toStdString();
      options.screenSize = QSize(1280, 1024);
      options.showError = [&](QWidget* parent, const QString& text, const QString& caption) {
        owner = parent;
        boxes.push_back({text, caption});
      };
      TfrmMain form(options);
      form.show();
      QVERIFY(form.close());
      QCOMPARE(boxes.size(), size_t{1});
      QCOMPARE(boxes[0].text, file + QStringLiteral(": ") + QString::fromStdString(std::generic_category().message(error)));
      QCOMPARE(boxes[0].caption, QStringLiteral("Внимание"));
      QCOMPARE(owner, &form);
      QVERIFY(!QFile::exists(file));
    }
  }

  void theDefaultsButtonRestoresTheShownPage() {
    MainWindowHarness h;
    refuseConnect(h);
    h.arguments = {QStringLiteral("-t")};
    h.start();
    h.showPage(4);  // "ЛУ"
    h.edit("Edit53")->setText(QStringLiteral("77"));
    h.edit("Edit13")->setText(QStringLiteral("9"));
    h.edit("Edit8")->setText(QStringLiteral("весы"));
    h.click("edtDefault");
    QCOMPARE(h.text("Edit53"), QStringLiteral("77"));
    QCOMPARE(h.text("Edit13"), QStringLiteral("1"));
    QCOMPARE(h.text("Edit8"), QString());

    h.showPage(6);  // "Тест": only the password
    h.edit("Edit3")->setText(QStringLiteral("t.log"));
    h.edit("Edit11")->setText(QStringLiteral("250"));
    h.edit("edtTimeOut")->setText(QStringLiteral("99"));
    h.click("edtDefault");
    QCOMPARE(h.text("Edit53"), QStringLiteral("30"));
    QCOMPARE(h.text("Edit3"), QStringLiteral("t.log"));
    QCOMPARE(h.text("Edit11"), QStringLiteral("250"));
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("99"));

    h.showPage(5);  // "Весовые каналы"
    h.edit("Edit10")->setText(QStringLiteral("2"));
    h.find<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("x"));
    h.find<QCheckBox>("CheckBox5")->setChecked(false);
    h.click("edtDefault");
    QCOMPARE(h.text("Edit10"), QString());
    QCOMPARE(h.text("Memo1"), QString());
    QVERIFY(h.find<QCheckBox>("CheckBox5")->isChecked());
  }

  void theDriversDialogCopiesItsSettingsBack() {
    MainWindowHarness h;
    refuseConnect(h);
    h.start();
    h.edit("Edit17")->setText(QStringLiteral("3"));
    h.driver->setResult("Connect", 0);
    h.driver->set("ResultCode", Variant(0));
    h.driver->onCall("ShowProperties", [](lk40::testing::RecordingDriver& d) {
      d.set("ComNumber", Variant(4));
      d.set("BaudRate", Variant(6));
      d.set("Timeout", Variant(300));
      d.set("Password", Variant(4321));
      d.set("PortNumber", Variant(8));
    });
    h.driver->clearEvents();
    h.click("btnSettings");
    QCOMPARE(h.driver->writesAndCalls(), std::vector<std::string>{"call ShowProperties"});
    QCOMPARE(h.find<QComboBox>("ComboBox2")->currentIndex(), 3);
    QCOMPARE(h.find<QComboBox>("cbBaudRate")->currentIndex(), 6);
    QCOMPARE(h.text("edtTimeOut"), QStringLiteral("300"));
    QCOMPARE(h.text("Edit53"), QStringLiteral("4321"));
    QCOMPARE(h.text("Edit17"), QStringLiteral("3"));
    QVERIFY(isBlue(h.edit("edtError")));

    h.driver->onCall("ShowProperties", [](lk40::testing::RecordingDriver& d) {
      d.set("ComNumber", Variant(INT32_MIN));
    });
    h.click("btnSettings");
    QCOMPARE(h.find<QComboBox>("ComboBox2")->currentIndex(), -1);
    QVERIFY(h.boxes.empty());
  }
};

QTEST_MAIN(SettingsTest)
#include "tst_saved_inputs.moc"
