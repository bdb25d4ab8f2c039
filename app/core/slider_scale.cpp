#include "app/core/slider_scale.h"

#include <cmath>

namespace app {

namespace {
const double kLogMinute = std::log10(60000.0);
}

int RoundHalfEven(double value) {
  double whole = std::floor(value);
  double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<int>(whole);
}

int MsPerFrameFromPosition(int position, int max) {
  return RoundHalfEven(std::pow(10.0, kLogMinute * (position - 1) / (max - 1)));
}

int PositionFromMsPerFrame(int msPerFrame, int max) {
  return RoundHalfEven(std::log10(static_cast<double>(msPerFrame)) * (max - 1) / kLogMinute + 1);
}

int PlaybackRateFromPosition(int position, int max) {
  return RoundHalfEven(static_cast<double>(position - 1) * 49 / (max - 1) + 1);
}

int PositionFromPlaybackRate(int rate, int max) {
  return RoundHalfEven(static_cast<double>(rate - 1) * (max - 1) / 49);
}

int QualityFromPosition(int position, int max) {
  return RoundHalfEven(static_cast<double>(position) * 10000 / max);
}

int PositionFromQuality(int quality, int max) {
  return RoundHalfEven(static_cast<double>(quality) * max / 10000);
}

} // namespace app
