#include "about/tfrm_about.h"

#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <memory>

#include "platform/file_version.h"

namespace {

// The developer's contact lines: every text and address of the block.
struct Contacts {
  const char* developer = "Разработка: группа стенда lk40-drvtest";
  const char* webCaption = "Сайт:";
  const char* web = "https://lk40-drvtest.example.org";
  const char* supportCaption = "Поддержка:";
  const char* support = "support@lk40-drvtest.example.org";
  const char* salesCaption = "Вопросы и предложения:";
  const char* sales = "bench@lk40-drvtest.example.org";
  const char* postal = "Стенд проверки драйвера весового модуля.\nОтзывы и сообщения об ошибках присылайте по почте.";
};
const Contacts kContacts;

const QString kTitle = QStringLiteral("Тест драйвера весового модуля");
const QString kProgramVersion = QStringLiteral("Версия теста драйвера: %1.%2.%3.%4");

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

// A contact line that opens its link with the desktop's default handler.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& text, std::function<void()> onClick, QWidget* parent)
      : QLabel(text, parent), onClick_(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(pal);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) onClick_();
    QLabel::mouseReleaseEvent(event);
  }

 private:
  std::function<void()> onClick_;
};

QLabel* named(QLabel* label, const char* name) {
  label->setObjectName(QString::fromLatin1(name));
  return label;
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
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("О программе"));
  // A dialog border without title-bar buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Image1 = named(new QLabel(Panel1), "Image1");
  Image1->setPixmap(aboutPicture());
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->addWidget(Image1, 0, Qt::AlignTop | Qt::AlignHCenter);
  panelLayout->addStretch(1);

  Label1 = named(new QLabel(kTitle, this), "Label1");
  Label1->setAlignment(Qt::AlignCenter);
  QFont titleFont = Label1->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
  Label1->setFont(titleFont);
  Shape1 = new QFrame(this);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  Label9 = named(new QLabel(this), "Label9");
  Label10 = named(new QLabel(this), "Label10");

  auto* developer = named(new QLabel(QString::fromUtf8(kContacts.developer), this), "Label2");
  Label4 = named(new LinkLabel(QString::fromUtf8(kContacts.web), [this] { Label4Click(); }, this), "Label4");
  Label6 = named(new LinkLabel(QString::fromUtf8(kContacts.support), [this] { Label6Click(); }, this), "Label6");
  Label8 = named(new LinkLabel(QString::fromUtf8(kContacts.sales), [this] { Label8Click(); }, this), "Label8");
  Memo1 = new QPlainTextEdit(QString::fromUtf8(kContacts.postal), this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 4 + 14);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  auto* contacts = new QGridLayout;
  contacts->addWidget(named(new QLabel(QString::fromUtf8(kContacts.webCaption), this), "Label3"), 0, 0);
  contacts->addWidget(Label4, 0, 1);
  contacts->addWidget(named(new QLabel(QString::fromUtf8(kContacts.supportCaption), this), "Label5"), 1, 0);
  contacts->addWidget(Label6, 1, 1);
  contacts->addWidget(named(new QLabel(QString::fromUtf8(kContacts.salesCaption), this), "Label7"), 2, 0);
  contacts->addWidget(Label8, 2, 1);

  auto* text = new QVBoxLayout;
  text->addWidget(Label1);
  text->addWidget(Shape1);
  text->addWidget(Label9);
  text->addWidget(Label10);
  text->addSpacing(8);
  text->addWidget(developer);
  text->addLayout(contacts);
  text->addWidget(Memo1);
  text->addWidget(Button1, 0, Qt::AlignHCenter);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Panel1);
  layout->addLayout(text, 1);
  setFixedSize(sizeHint().expandedTo(QSize(440, 0)));

  // FormCreate. A file without a version record shows zeros.
  uint16_t major = 0, minor = 0, release = 0, build = 0;
  ReadFileVersion(QString::fromStdString(lk40::platform::currentExecutablePath()), major, minor, release, build);
  Label9->setText(kProgramVersion.arg(major).arg(minor).arg(release).arg(build));
}

void TfrmAbout::Label4Click() { openLink(QString::fromUtf8(kContacts.web)); }
void TfrmAbout::Label6Click() { openLink(QStringLiteral("mailto:") + QString::fromUtf8(kContacts.support)); }
void TfrmAbout::Label8Click() { openLink(QStringLiteral("mailto:") + QString::fromUtf8(kContacts.sales)); }

void ShowAboutWindow(const QString& driverVersionLine, const QWidget* centreOn) {
  const auto window = std::make_unique<TfrmAbout>();
  window->Label10->setText(driverVersionLine);
  if (centreOn) {
    const QRect over = centreOn->frameGeometry();
    window->move(over.center() - QPoint(window->width() / 2, window->height() / 2));
  }
  window->exec();
}
