// lk40-ui-preview: builds the main window and the weight display from their
// form code and saves each page, the display and the pictures as PNG files,
// then reports any control whose text does not fit it.
//
//   lk40-ui-preview [--page N]... [--no-display] [--hold MS] OUTDIR
//
// Without --page every page is saved. --hold keeps the last shown page (and
// the display) on screen for MS milliseconds, for a screenshot of the desktop.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QPlainTextEdit>
#include <cstdio>

#include "display/display_ui.h"
#include "main_window/main_ui.h"
#include "widgets/pictures.h"
#include "widgets/radio_group.h"

namespace {

struct Options {
  QList<int> pages;
  bool display = true;
  int holdMs = 0;
  QString outDir;
};

bool parse(const QStringList& args, Options& o) {
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--page") && i + 1 < args.size()) {
      o.pages << args[++i].toInt();
    } else if (a == QLatin1String("--no-display")) {
      o.display = false;
    } else if (a == QLatin1String("--hold") && i + 1 < args.size()) {
      o.holdMs = args[++i].toInt();
    } else if (!a.startsWith(QLatin1String("--")) && o.outDir.isEmpty()) {
      o.outDir = a;
    } else {
      return false;
    }
  }
  return !o.outDir.isEmpty();
}

void settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

bool save(const QPixmap& pixmap, const QString& path) {
  const bool ok = pixmap.save(path);
  std::printf("%s %s (%dx%d)\n", ok ? "saved" : "FAILED", qPrintable(path), pixmap.width(), pixmap.height());
  return ok;
}

// Text a control must show in full, with the room it needs for it.
int neededWidth(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w)) {
    if (l->text().isEmpty() || l->wordWrap()) return 0;
    return l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->margin();
  }
  if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w))
    return w->minimumSizeHint().width();
  return 0;
}

// Reports controls narrower than their text, controls that reach outside their
// parent, and siblings that overlap; returns the number of findings.
int lint(const QWidget* root, const QString& where) {
  int findings = 0;
  const auto report = [&](const QWidget* w, const QString& what) {
    std::printf("  %s: %s %s: %s\n", qPrintable(where), w->metaObject()->className(), qPrintable(w->objectName()),
                qPrintable(what));
    ++findings;
  };
  const QList<QWidget*> all = root->findChildren<QWidget*>();
  for (const QWidget* w : all) {
    // Only the named controls are ours; the parts inside them are the style's.
    if (!w->isVisibleTo(root) || w->isWindow() || w->objectName().isEmpty()) continue;
    const int need = neededWidth(w);
    if (need > w->width()) report(w, QStringLiteral("needs %1 px, has %2").arg(need).arg(w->width()));
    if (w->height() < w->minimumSizeHint().height())
      report(w, QStringLiteral("height %1 below %2").arg(w->height()).arg(w->minimumSizeHint().height()));
    const QWidget* parent = w->parentWidget();
    if (parent && !parent->rect().contains(w->geometry()) && !qobject_cast<const QTabWidget*>(parent))
      report(w, QStringLiteral("reaches outside its parent"));
  }
  // Siblings placed by a layout must not overlap.
  for (const QWidget* parent : all + QList<QWidget*>{const_cast<QWidget*>(root)}) {
    if (!parent->layout()) continue;
    QList<const QWidget*> placed;
    for (QObject* c : parent->children()) {
      auto* w = qobject_cast<QWidget*>(c);
      if (w && w->isVisibleTo(root) && !w->isWindow() && !w->objectName().isEmpty() &&
          parent->layout()->indexOf(w) >= 0)
        placed << w;
    }
    for (int i = 0; i < placed.size(); ++i)
      for (int j = i + 1; j < placed.size(); ++j)
        if (placed[i]->geometry().intersects(placed[j]->geometry()))
          report(placed[i], QStringLiteral("overlaps %1").arg(placed[j]->objectName()));
  }
  return findings;
}

// Texts as long as the presentation writes, to see that they fit.
void fillSamples(MainUi& ui) {
  ui.edtError->setText(QStringLiteral("0, Ошибок нет"));
  QString dump;
  for (int i = 0; i < 30; ++i) dump += QStringLiteral("%1 ").arg(0xA0 + i, 2, 16, QLatin1Char('0')).toUpper();
  ui.edtSend->setText(dump.trimmed());
  ui.edtRecieve->setText(dump.trimmed());
  ui.Label28->setText(QStringLiteral("Время выполнения 123456 мс"));
  const QStringList device{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0"),
                           QStringLiteral("40"), QStringLiteral("1251"), QStringLiteral("ЛК-40 весовой модуль")};
  int i = 0;
  for (QLineEdit* e : {ui.Edit23, ui.Edit25, ui.Edit29, ui.Edit31, ui.Edit24, ui.Edit26, ui.Edit32})
    e->setText(device[i++]);
  ui.Edit16->setText(QStringLiteral("FFFFFFFF"));
  ui.Memo3->setPlainText(QStringLiteral("Состояние весового устройства: <81>\n\tфиксация веса: <есть>\n"
                                        "\tошибка автонуля при включении: <нет>\n\tошибка при получении "
                                        "измерения: <нет>\nВес:    1,5000 кг\nТара:    0,0000 кг"));
  ui.Memo4->setPlainText(QStringLiteral("Напряжение на линии 5В:  5,02\nФлаги: <6>\n\tошибка - питание "
                                        "слишком низкое/высокое: <нет>"));
  ui.Edit5->setText(QStringLiteral("12,3400"));
  ui.Edit6->setText(QStringLiteral("-8388608"));
  ui.RadioGroup2->setItemIndex(3);
  ui.SpeedButton1->setChecked(true);
  for (int n = 1; n <= 3; ++n) {
    auto* row = new QTreeWidgetItem(ui.ListView1, {QString::number(n), QStringLiteral("Весы %1").arg(n)});
    if (n == 2) row->setIcon(0, QIcon(lampPixmap(1)));
  }
  ui.ListView1->setCurrentItem(ui.ListView1->topLevelItem(2));
  ui.Memo1->setPlainText(QStringLiteral("Характеристики весового канала:\nФлаги: <0>\n\tтип канала: "
                                        "<тензоканал>\nДискретность №4:    0,0050 кг"));
  ui.Edit10->setText(QStringLiteral("1"));
  const QStringList column0{QString(), QStringLiteral("тип данных"), QStringLiteral("перегрузка"),
                            QStringLiteral("значений"), QStringLiteral("1"), QStringLiteral("2")};
  const QStringList column1{QStringLiteral("Значение"), QStringLiteral("ULONG"), QStringLiteral("НЕТ"),
                            QStringLiteral("2"), QStringLiteral("4294967295"), QStringLiteral("17")};
  ui.StringGrid1->setRowCount(column0.size());
  for (int r = 0; r < column0.size(); ++r) {
    ui.StringGrid1->setItem(r, 0, new QTableWidgetItem(column0[r]));
    ui.StringGrid1->setItem(r, 1, new QTableWidgetItem(column1[r]));
  }
  ui.StringGrid1->setCurrentCell(4, 1);
  ui.Label13->setText(QStringLiteral("07.12.2026 10:15:02"));
  ui.Label14->setText(QStringLiteral("08.12.2026 23:59:59"));
  ui.Label15->setText(QStringLiteral("13:44:57"));
  ui.Label17->setText(QStringLiteral("123456789"));
  ui.Label20->setText(QStringLiteral("0"));
}

QPixmap enlarged(const QPixmap& p, int factor) {
  return p.scaled(p.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void savePictures(const QString& dir) {
  QPixmap sheet(3 * 16 * 8 + 4 * 8, 16 * 8 + 16);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  int x = 8;
  for (const QPixmap& pic : {lampPixmap(0), lampPixmap(1), adcToggleIcon().pixmap(16, 16)}) {
    p.drawPixmap(x, 8, enlarged(pic, 8));
    x += 16 * 8 + 8;
  }
  p.end();
  save(sheet, dir + QStringLiteral("/pictures-x8.png"));
  save(lampPixmap(0), dir + QStringLiteral("/lamp0.png"));
  save(lampPixmap(1), dir + QStringLiteral("/lamp1.png"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Options options;
  if (!parse(QApplication::arguments(), options)) {
    std::fprintf(stderr, "usage: lk40-ui-preview [--page N]... [--no-display] [--hold MS] OUTDIR\n");
    return 2;
  }
  QDir().mkpath(options.outDir);

  QWidget form;
  MainUi ui;
  setupMainUi(&form, ui);
  form.move(10, 10);
  form.show();
  settle();
  std::printf("main window %dx%d (screen %dx%d), platform %s\n", form.width(), form.height(),
              form.screen()->size().width(), form.screen()->size().height(),
              qPrintable(QGuiApplication::platformName()));

  QList<int> pages = options.pages;
  if (pages.isEmpty())
    for (int i = 0; i < ui.PageControl->count(); ++i) pages << i;
  int findings = 0;
  for (const int index : pages) {
    ui.PageControl->setCurrentIndex(index);
    settle();
    QWidget* page = ui.PageControl->widget(index);
    const QString name = QStringLiteral("page%1-%2").arg(index).arg(page->objectName());
    if (page->minimumSizeHint().width() > page->width() || page->minimumSizeHint().height() > page->height()) {
      std::printf("  %s: needs %dx%d, has %dx%d\n", qPrintable(name), page->minimumSizeHint().width(),
                  page->minimumSizeHint().height(), page->width(), page->height());
      ++findings;
    }
    findings += lint(page, name);
    save(form.grab(), options.outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
  }
  findings += lint(ui.Panel1, QStringLiteral("Panel1"));

  fillSamples(ui);
  for (const int index : pages) {
    ui.PageControl->setCurrentIndex(index);
    settle();
    const QString name = QStringLiteral("page%1-%2-filled").arg(index).arg(ui.PageControl->widget(index)->objectName());
    findings += lint(ui.PageControl->widget(index), name);
    save(form.grab(), options.outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
  }
  findings += lint(ui.Panel1, QStringLiteral("Panel1 filled"));

  QDialog display;
  DisplayUi dui;
  if (options.display) {
    setupDisplayUi(&display, dui);
    display.move(form.x() + 40, form.y() + form.height() + 40);
    display.show();
    settle();
    std::printf("display %dx%d\n", display.width(), display.height());
    findings += lint(&display, QStringLiteral("display"));
    save(display.grab(), options.outDir + QStringLiteral("/display-unlit.png"));
    // The lit state as a poll with every lamp bit set would leave it.
    for (QLabel* lamp : {dui.Image1, dui.Image2, dui.Image3, dui.Image4}) lamp->setPixmap(lampPixmap(1));
    dui.edtWeight->setText(QStringLiteral("-12345,0000"));
    dui.edtTare->setText(QStringLiteral("-12345,0000"));
    dui.Button1->setEnabled(false);
    settle();
    save(display.grab(), options.outDir + QStringLiteral("/display-lit.png"));
  }
  savePictures(options.outDir);
  std::printf("%d layout finding(s)\n", findings);

  if (options.holdMs > 0) {
    QTimer::singleShot(options.holdMs, &app, &QApplication::quit);
    app.exec();
  }
  return findings == 0 ? 0 : 1;
}
