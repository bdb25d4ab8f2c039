// The settings dialog's sliders: positions to values and back. The capture interval runs on a
// logarithmic scale from 1 ms to one minute per frame; the playback rate and the quality are
// linear. Every result is rounded to the nearest integer, halves to the even neighbour.
#pragma once

namespace app {

// Slider maxima as the dialog uses them.
inline constexpr int kIntervalSliderMax = 1000;
inline constexpr int kRateSliderMax = 1000;
inline constexpr int kQualitySliderMax = 100;

int MsPerFrameFromPosition(int position, int max = kIntervalSliderMax);
int PositionFromMsPerFrame(int msPerFrame, int max = kIntervalSliderMax);

int PlaybackRateFromPosition(int position, int max = kRateSliderMax);
int PositionFromPlaybackRate(int rate, int max = kRateSliderMax);

// Quality in 1/10000.
int QualityFromPosition(int position, int max = kQualitySliderMax);
int PositionFromQuality(int quality, int max = kQualitySliderMax);

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

} // namespace app
