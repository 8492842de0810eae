#include "about/tfrm_about.h"

#include <QDesktopServices>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <memory>

#include "platform/file_version.h"
#include "widgets/centre_over.h"
#include "widgets/link_label.h"

namespace {

const QString kProgramVersion = QStringLiteral("Версия теста драйвера: %1.%2.%3.%4");
// Which of the two installed twins runs: the one of the driver's bitness.
const QString kBitness = QStringLiteral("(%1-разрядная)");

// Our own picture for the white panel: a platform scale with a load on it
// and a small display.
QPixmap aboutPicture() {
  QPixmap pixmap(64, 96);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor steel(90, 110, 140), dark(40, 50, 70), load(220, 150, 40);
  p.setPen(QPen(dark, 1.5));
  p.setBrush(load);
  p.drawRoundedRect(QRectF(18, 22, 28, 22), 3, 3);  // the load
  p.setBrush(steel);
  p.drawRect(QRectF(8, 44, 48, 6));  // the platform
  p.drawRect(QRectF(28, 50, 8, 18));  // the column
  p.drawRoundedRect(QRectF(10, 68, 44, 18), 4, 4);  // the base with its display
  p.setBrush(QColor(20, 30, 20));
  p.drawRect(QRectF(18, 72, 28, 10));
  p.setPen(QColor(80, 255, 120));
  QFont digits = p.font();
  digits.setPixelSize(9);
  p.setFont(digits);
  p.drawText(QRectF(18, 72, 28, 10), Qt::AlignCenter, QStringLiteral("40.00"));
  return pixmap;
}

void openLink(const QString& url) {
  // A desktop that cannot open it reports nothing, by design.
  QDesktopServices::openUrl(QUrl(url));
}

}  // namespace

void ReadFileVersion(const QString& fileName, uint16_t& major, uint16_t& minor, uint16_t& release, uint16_t& build) {
  const auto version = lk40::platform::readFileVersion(fileName.toStdString());
  if (!version) return;
  major = version->major;
  minor = version->minor;
  release = version->release;
  build = version->build;
}

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  // A dialog border without title-bar buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setupUi(this);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Image1->setPixmap(aboutPicture());
  QFont titleFont = Label1->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
  Label1->setFont(titleFont);
  Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 4 + 14);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Label4, &LinkLabel::clicked, this, &TfrmAbout::Label4Click);
  connect(Label6, &LinkLabel::clicked, this, &TfrmAbout::Label6Click);
  connect(Label8, &LinkLabel::clicked, this, &TfrmAbout::Label8Click);
  setFixedSize(sizeHint().expandedTo(QSize(440, 0)));

  // FormCreate. A file without a version record shows zeros.
  uint16_t major = 0, minor = 0, release = 0, build = 0;
  ReadFileVersion(QString::fromStdString(lk40::platform::currentExecutablePath()), major, minor, release, build);
  Label9->setText(kProgramVersion.arg(major).arg(minor).arg(release).arg(build));
  lblBitness->setText(kBitness.arg(QT_POINTER_SIZE * 8));
}

// Each contact line opens what it shows.
void TfrmAbout::Label4Click() { openLink(Label4->text()); }
void TfrmAbout::Label6Click() { openLink(QStringLiteral("mailto:") + Label6->text()); }
void TfrmAbout::Label8Click() { openLink(QStringLiteral("mailto:") + Label8->text()); }

void ShowAboutWindow(const QString& driverVersionLine, const QWidget* centreOn) {
  const auto window = std::make_unique<TfrmAbout>();
  window->Label10->setText(driverVersionLine);
  if (centreOn) centreOver(window.get(), centreOn);
  window->exec();
}
