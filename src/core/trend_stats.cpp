#include "core/trend_stats.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace lk40::core {

void TrendMoments::add(double timeMs, double value, bool isStable) {
  ++count;
  if (isStable) ++stable;
  if (count == 1) {
    min = max = value;
  } else {
    min = std::min(min, value);
    max = std::max(max, value);
  }
  const double n = static_cast<double>(count);
  const double dT = timeMs - meanT;
  const double dV = value - meanV;
  meanT += dT / n;
  meanV += dV / n;
  m2T += dT * (timeMs - meanT);
  m2V += dV * (value - meanV);
  cTV += dT * (value - meanV);
}

void TrendMoments::merge(const TrendMoments& other) {
  if (other.count == 0) return;
  if (count == 0) {
    *this = other;
    return;
  }
  const double na = static_cast<double>(count);
  const double nb = static_cast<double>(other.count);
  const double n = na + nb;
  const double dT = other.meanT - meanT;
  const double dV = other.meanV - meanV;
  const double f = na * nb / n;
  meanT += dT * nb / n;
  meanV += dV * nb / n;
  m2T += other.m2T + dT * dT * f;
  m2V += other.m2V + dV * dV * f;
  cTV += other.cTV + dT * dV * f;
  count += other.count;
  stable += other.stable;
  min = std::min(min, other.min);
  max = std::max(max, other.max);
}

TrendFigures trendFigures(const TrendMoments& m) {
  TrendFigures f;
  f.count = m.count;
  if (m.count == 0) return f;
  f.min = m.min;
  f.max = m.max;
  f.mean = m.meanV;
  f.range = m.max - m.min;
  f.stableShare = static_cast<double>(m.stable) / static_cast<double>(m.count);
  if (m.count >= 2) {
    f.sigma = std::sqrt(std::max(m.m2V, 0.0) / static_cast<double>(m.count - 1));
    if (m.m2T > 0) f.driftPerMinute = m.cTV / m.m2T * 60'000.0;
  }
  return f;
}

std::optional<double> noiseFreeBits(std::optional<double> peakToPeak, double fullRange) {
  if (!peakToPeak || !(fullRange > 0)) return std::nullopt;
  return std::log2(fullRange / std::max(*peakToPeak, 1.0));
}

namespace {

const std::string kNone = "—";

std::string number(const std::optional<double>& value, int decimals, const TrendTextFormat& format,
                   const std::string& unit) {
  if (!value) return kNone;
  std::string text = formatDecimals(*value, decimals, format.separator);
  if (!unit.empty()) text += " " + unit;
  return text;
}

}  // namespace

TrendTexts trendTexts(const TrendFigures& f, const TrendTextFormat& format) {
  // Averages resolve finer than the readings they come from.
  const int fine = format.decimals + 1;
  TrendTexts t;
  t.count = std::to_string(f.count);
  t.min = number(f.min, format.decimals, format, format.unit);
  t.max = number(f.max, format.decimals, format, format.unit);
  t.mean = number(f.mean, fine, format, format.unit);
  t.sigma = number(f.sigma, fine, format, format.unit);
  t.range = number(f.range, format.decimals, format, format.unit);
  t.drift = number(f.driftPerMinute, fine, format, format.unit.empty() ? std::string() : format.unit + "/мин");
  t.stable = f.stableShare ? formatDecimals(*f.stableShare * 100.0, 1, format.separator) + " %" : kNone;
  t.noiseFreeBits = number(noiseFreeBits(f.range), 1, format, "");
  return t;
}

}  // namespace lk40::core
