// The scripted run as a process of its own, over a driver that misbehaves on
// demand: what ends a run, with which code, and what reaches the report, a
// call that never returns and a kill included.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class ScriptedRunProcessTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  // The bench over the misbehaving driver, with settings of its own and no
  // display; `environment` adds or, with an empty value, removes variables.
  void setUp(QProcess& bench, const QStringList& environment) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LK40_DRIVER_PATH"), QStringLiteral(LK40_HOSTILE_DRIVER_DIR));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    for (const QString& entry : environment) env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    bench.setProcessEnvironment(env);
    bench.setProgram(QStringLiteral(LK40_BENCH));
  }

  QString scriptFile(const QByteArray& text) {
    const QString path = dir_.filePath(QStringLiteral("script.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
      qFatal("no script file");
    return path;
  }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void endsAndReports_data() {
    QTest::addColumn<QByteArray>("script");  // "@/path": that file
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");  // a part of standard output, or of standard error
    QTest::addColumn<int>("withinS");

    // 40 000 characters in a status field, whole, and a pattern over them.
    QTest::newRow("long text") << QByteArray("press Получить тип устройства\nexpect edtRecieve ~ ^.*$\n")
                               << QStringList() << QStringList{"LK40_HOSTILE_OUTPUT_LENGTH=40000"} << 0
                               << "  edtRecieve: " + QByteArray(40000, 'a') + '\n' << 60;
    QTest::newRow("backtracking") << QByteArray("expect edtError ~ ^0: (a*)*b$\n") << QStringList()
                                  << QStringList{"LK40_HOSTILE_DESCRIPTION=" + QString(30, u'a')} << 1
                                  << "получено: «0: " + QByteArray(30, 'a') + "»" << 20;
    QTest::newRow("stuck call") << QByteArray("press Запрос текущего режима\nexpect edtError 0: Ошибок нет\n")
                                << QStringList{"--step-timeout", "5"} << QStringList{"LK40_HOSTILE_SLEEP=GetMode:120000"}
                                << 3
                                << QByteArray("строка 1: press Запрос текущего режима — ВРЕМЯ ВЫШЛО, ") << 60;
    QTest::newRow("endless script") << QByteArray("@/dev/zero") << QStringList() << QStringList() << 2
                                    << QByteArray("сценарий больше 16 МиБ") << 60;
    QTest::newRow("no platform") << QByteArray("page Вес\n") << QStringList() << QStringList{"QT_QPA_PLATFORM=xcb"}
                                 << 2 << QByteArray("Платформа Qt не запустилась") << 60;
    // Refused before the first step: the wait never runs.
    QTest::newRow("report nowhere") << QByteArray("wait 30000\n")
                                    << QStringList{"--report", dir_.filePath(QStringLiteral("missing/r.txt"))}
                                    << QStringList() << 2 << QByteArray("отчёт не создан") << 20;
    QTest::newRow("NUL in a step") << QByteArray("expect edtError \"a") + '\0' + QByteArray("b\"\n") << QStringList()
                                   << QStringList() << 1
                                   << QByteArray("строка 1: expect edtError \"a") + '\0' + QByteArray("b\" — НЕВЕРНО")
                                   << 60;
    QTest::newRow("no steps") << QByteArray("# nothing here\n\n") << QStringList() << QStringList() << 2
                              << QByteArray("script.txt: в сценарии нет ни одного шага") << 60;
    QTest::newRow("unexpected box") << QByteArray("page Вес\npress Установить ноль\n") << QStringList()
                                    << QStringList{"LK40_HOSTILE_RAISE=SetZero"} << 1
                                    << QByteArray("press Установить ноль — НЕ ВЫПОЛНЕНО") << 60;
  }

  void endsAndReports() {
    QFETCH(QByteArray, script);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    QFETCH(int, withinS);
    QProcess bench;
    setUp(bench, environment);
    const QString path = script.startsWith('@') ? QString::fromUtf8(script.mid(1)) : scriptFile(script);
    bench.setArguments(QStringList{"--run", path} + arguments);
    QElapsedTimer clock;
    clock.start();
    bench.start();
    QVERIFY(bench.waitForFinished(withinS * 1000));
    const QByteArray out = bench.readAllStandardOutput() + bench.readAllStandardError();
    QVERIFY2(bench.exitStatus() == QProcess::NormalExit, out.constData());
    QVERIFY2(bench.exitCode() == exitCode, qPrintable(QString::number(bench.exitCode()) + u'\n' + out));
    QVERIFY2(out.contains(output), out.constData());
  }

  // --check reads the script and what it includes, and nothing else: no
  // driver is needed.
  void checkOnly() {
    const auto write = [this](const char* name, const QByteArray& text) {
      QFile file(dir_.filePath(QString::fromLatin1(name)));
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size());
    };
    write("good.txt", "include part.txt\nrepeat 2\n  expect edtError 0\nend\n");
    write("part.txt", "press Получить тип устройства\n");
    write("cycle.txt", "include cycle-too.txt\n");
    write("cycle-too.txt", "page Вес\ninclude cycle.txt\n");
    const struct {
      const char* script;
      int exitCode;
      QByteArray said;
    } cases[] = {
        {"good.txt", 0, "good.txt: ошибок нет; шагов 2, из них проверок 1; блоков repeat 1; вставленных файлов 1\n"},
        {"cycle.txt", 2, "cycle-too.txt:2: include: «" + dir_.filePath("cycle.txt").toUtf8() + "» вставляет сам себя\n"},
    };
    for (const auto& c : cases) {
      QProcess bench;
      setUp(bench, {"LK40_DRIVER_PATH="});
      bench.setArguments({"--check", dir_.filePath(QString::fromLatin1(c.script))});
      bench.start();
      QVERIFY(bench.waitForFinished(20000));
      const QByteArray out = bench.readAllStandardOutput() + bench.readAllStandardError();
      QVERIFY2(bench.exitCode() == c.exitCode, out.constData());
      QVERIFY2(out.endsWith(c.said), out.constData());
    }
  }

  // What ran is in the report file as soon as it ran, so a kill loses none
  // of it; the JUnit file is a valid document whenever it is cut short.
  void aKilledRunLeavesWhatRan() {
    QProcess bench;
    setUp(bench, {});
    const QString report = dir_.filePath(QStringLiteral("killed.txt"));
    const QString junit = dir_.filePath(QStringLiteral("killed.xml"));
    bench.setArguments(
        {"--run", scriptFile("expect Label28 ~ .\nwait 60000\n"), "--report", report, "--junit", junit});
    bench.start();
    QVERIFY(bench.waitForStarted());
    QByteArray text;
    QElapsedTimer clock;
    clock.start();
    while (!text.contains("строка 1: expect Label28 ~ . — ")) {
      QVERIFY2(clock.elapsed() < 60000, text.constData());
      QFile file(report);
      if (file.open(QIODevice::ReadOnly)) text = file.readAll();
      QVERIFY2(bench.state() == QProcess::Running, text.constData());
      QTest::qWait(50);
    }
    ::kill(static_cast<pid_t>(bench.processId()), SIGKILL);
    QVERIFY(bench.waitForFinished(10000));
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("строка 1: expect Label28 ~ . — верно"));
    QProcess xmllint;
    xmllint.start(QStringLiteral(LK40_XMLLINT), {"--noout", "--schema", QStringLiteral(LK40_JUNIT_SCHEMA), junit});
    QVERIFY(xmllint.waitForFinished(20000));
    QVERIFY2(xmllint.exitCode() == 0, xmllint.readAllStandardError().constData());
    QFile xml(junit);
    QVERIFY(xml.open(QIODevice::ReadOnly));
    QVERIFY(xml.readAll().contains("<testcase name=\"строка 1: expect Label28 ~ .\""));
  }
};

QTEST_MAIN(ScriptedRunProcessTest)
#include "tst_scripted_run_process.moc"
