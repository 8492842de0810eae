#include "trend/trend_panel.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "core/csv_file.h"
#include "core/trend_csv.h"
#include "core/trend_stats.h"
#include "myconsts.h"
#include "platform/time_of_day.h"
#include "platform/whole_file.h"
#include "trend/figure_label.h"
#include "widgets/keyboard_path.h"

namespace {

const QString kNotSaved = QStringLiteral("Файл не записан: %1");
const QString kCsvFilter = QStringLiteral("CSV (*.csv)");
const QString kPngFilter = QStringLiteral("PNG (*.png)");

// The figures in the order they stand; the captions are also the labels' names.
const QString kPoints = QStringLiteral("Точек");
const QString kMin = QStringLiteral("Мин");
const QString kMax = QStringLiteral("Макс");
const QString kMean = QStringLiteral("Среднее");
const QString kSigma = QStringLiteral("СКО");
const QString kRange = QStringLiteral("Размах");
const QString kDrift = QStringLiteral("Дрейф");
const QString kStable = QStringLiteral("Стабильно");
const QString kNoiseFreeBits = QStringLiteral("Бит без шума");

const std::pair<const char*, int64_t> kSpans[] = {
    {"1 мин", 60'000}, {"5 мин", 300'000}, {"15 мин", 900'000}, {"60 мин", 3'600'000}, {"Всё", 0}};

QString askForFile(QWidget* owner) {
  QFileDialog dialog(owner, QStringLiteral("Сохранить график"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({kCsvFilter, kPngFilter});
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(filter == kPngFilter ? QStringLiteral("png") : QStringLiteral("csv"));
  });
  return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                 : QString();
}

}  // namespace

TrendPanel::Kind TrendPanel::weight() {
  return {QStringLiteral("График веса"), QStringLiteral("Вес, кг"), QStringLiteral("кг"), 4, 5, true, false};
}

TrendPanel::Kind TrendPanel::adc() {
  return {QStringLiteral("График АЦП"), QStringLiteral("АЦП"), QStringLiteral("ед."), 0, 8, false, true};
}

TrendPanel::TrendPanel(const Kind& kind, const lk40::platform::RegionalFormats& formats, ErrorBox showError,
                       QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      formats_(formats),
      showError_(showError ? std::move(showError) : standardErrorBox()),
      chooseFile_(askForFile),
      figuresTimer_(new QTimer(this)) {
  elapsed_.start();
  clock_ = [this] { return elapsed_.elapsed(); };
  plotArea_ = new QWidget(this);
  chart_ = new TrendChart(series_, [this] { return clock_(); }, plotArea_);
  chart_->setObjectName(QStringLiteral("TrendChart"));
  chart_->setAccessibleName(kind_.chartName);
  chart_->setFormat(kind_.decimals, kind_.unit, formats_.decimalSeparator, kind_.integerDigits);
  timeOfDayAtZero_ = lk40::platform::localTimeOfDayMs() - clock_();
  chart_->setTimeOfDayAtZero(timeOfDayAtZero_);

  // The figures: a caption, and its value in a label named after it, of a
  // fixed size that any value fits: a label of a fixed size takes a new text
  // without asking the window to lay itself out again, which would cost
  // more than drawing the chart.
  auto* figures = new QGridLayout;
  figures->setVerticalSpacing(4);
  figures->setHorizontalSpacing(10);
  const QString widest = QLatin1Char('-') + QString(kind_.integerDigits, QLatin1Char('0')) +
                         QLatin1Char(formats_.decimalSeparator) + QString(kind_.decimals + 1, QLatin1Char('0')) +
                         QLatin1Char(' ') + kind_.unit + QStringLiteral("/мин");
  const int valueWidth = fontMetrics().horizontalAdvance(widest);
  std::vector<QString> captions{kPoints, kMin, kMax, kMean, kSigma, kRange, kDrift};
  if (kind_.withStable) captions.push_back(kStable);
  if (kind_.withNoiseFreeBits) captions.push_back(kNoiseFreeBits);
  for (const QString& caption : captions) {
    const int row = figures->rowCount();
    auto* name = new QLabel(caption, plotArea_);
    auto* value = new FigureLabel(caption, plotArea_);
    value->setFixedSize(valueWidth, value->fontMetrics().height() + 2);
    name->setBuddy(value);
    figures->addWidget(name, row, 0);
    figures->addWidget(value, row, 1);
    figures_[caption] = value;
  }
  if (kind_.withNoiseFreeBits) {
    auto* note = new QLabel(QStringLiteral("log2(полный диапазон / размах),\nполный диапазон 2^24"), plotArea_);
    note->setAlignment(Qt::AlignRight);
    note->setForegroundRole(QPalette::PlaceholderText);
    figures->addWidget(note, figures->rowCount(), 0, 1, 2);
  }
  figures->setRowStretch(figures->rowCount(), 1);
  auto* plotLayout = new QHBoxLayout(plotArea_);
  // A little air at the right, where the figures end, also in the saved picture.
  plotLayout->setContentsMargins(0, 0, 6, 0);
  plotLayout->addWidget(chart_, 1);
  plotLayout->addLayout(figures);

  auto* spanLabel = new QLabel(QStringLiteral("Интервал"), this);
  cmbSpan_ = new QComboBox(this);
  cmbSpan_->setObjectName(QStringLiteral("cmbSpan"));
  for (const auto& [text, ms] : kSpans) cmbSpan_->addItem(QString::fromUtf8(text), QVariant::fromValue<qint64>(ms));
  spanLabel->setBuddy(cmbSpan_);
  btnPause_ = new QPushButton(QStringLiteral("Пауза"), this);
  btnPause_->setObjectName(QStringLiteral("btnPause"));
  btnPause_->setCheckable(true);
  auto* btnReset = new QPushButton(QStringLiteral("Сброс"), this);
  btnReset->setObjectName(QStringLiteral("btnReset"));
  auto* btnSave = new QPushButton(QStringLiteral("Сохранить…"), this);
  btnSave->setObjectName(QStringLiteral("btnSave"));
  for (QPushButton* b : {btnPause_, btnReset, btnSave}) b->setAutoDefault(false);
  auto* controls = new QHBoxLayout;
  controls->addWidget(spanLabel);
  controls->addWidget(cmbSpan_);
  controls->addSpacing(12);
  controls->addWidget(btnPause_);
  controls->addWidget(btnReset);
  controls->addWidget(btnSave);
  controls->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(plotArea_, 1);
  layout->addLayout(controls);

  // Figures held back for being too soon are shown when their time comes,
  // even if no later change of the view brings them.
  figuresTimer_->setSingleShot(true);
  connect(figuresTimer_, &QTimer::timeout, this, &TrendPanel::showFigures);
  connect(chart_, &TrendChart::viewChanged, this, &TrendPanel::viewChanged);
  connect(cmbSpan_, &QComboBox::currentIndexChanged, this,
          [this](int index) { chart_->setSpanMs(cmbSpan_->itemData(index).toLongLong()); });
  connect(btnPause_, &QPushButton::toggled, chart_, &TrendChart::setPaused);
  connect(btnReset, &QPushButton::clicked, this, &TrendPanel::reset);
  connect(btnSave, &QPushButton::clicked, this, &TrendPanel::save);
  chart_->setSpanMs(kSpans[0].second);
  keyboardpath::nameFieldsByLabels(this);
  showFigures();
}

void TrendPanel::addPoint(double value, bool stable) {
  // A driver that hands over no number gives no point, as a failed poll.
  if (!std::isfinite(value)) {
    addGap();
    return;
  }
  series_.add({clock_(), value, stable, breakPending_});
  breakPending_ = false;
  chart_->seriesGrew();
}

void TrendPanel::viewChanged(bool live) {
  const qint64 since = figuresShown_.isValid() ? figuresShown_.elapsed() : kFiguresMs;
  if (live && since < kFiguresMs) {
    if (!figuresTimer_->isActive()) figuresTimer_->start(static_cast<int>(kFiguresMs - since));
    return;
  }
  showFigures();
}

void TrendPanel::showFigures() {
  figuresShown_.start();
  figuresTimer_->stop();
  const auto texts = lk40::core::trendTexts(lk40::core::trendFigures(chart_->columns().moments()),
                                            {kind_.decimals, kind_.unit.toStdString(), formats_.decimalSeparator});
  const std::pair<const QString&, const std::string&> shown[] = {
      {kPoints, texts.count}, {kMin, texts.min},     {kMax, texts.max},       {kMean, texts.mean},
      {kSigma, texts.sigma},  {kRange, texts.range}, {kDrift, texts.drift},   {kStable, texts.stable},
      {kNoiseFreeBits, texts.noiseFreeBits}};
  for (const auto& [caption, text] : shown) {
    const auto label = figures_.find(caption);
    if (label == figures_.end()) continue;
    const QString value = QString::fromStdString(text);
    if (label->second->text() != value) label->second->setText(value);
  }
}

void TrendPanel::reset() {
  series_.clear();
  breakPending_ = false;
  chart_->refresh();
}

void TrendPanel::save() {
  const QString path = chooseFile_(this);
  if (path.isEmpty()) return;
  const bool saved = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? savePicture(path) : saveCsv(path);
  if (!saved) showError_(this, kNotSaved.arg(path), myconsts::kCaptionAttention);
}

bool TrendPanel::savePicture(const QString& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!plotArea_->grab().save(&buffer, "PNG")) return false;
  return !lk40::platform::replaceFileAtomically(std::filesystem::u8path(path.toStdString()),
                                                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool TrendPanel::saveCsv(const QString& path) {
  const auto [first, last] = chart_->shownPoints();
  const lk40::core::TrendCsvLayout layout{kind_.csvHeader.toStdString(), kind_.decimals, kind_.withStable,
                                          formats_.decimalSeparator, timeOfDayAtZero_};
  return lk40::core::saveCsvFile(path.toStdString(), lk40::core::trendCsvText(series_, first, last, layout));
}
