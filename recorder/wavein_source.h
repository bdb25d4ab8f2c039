// The capture of an input device through waveIn: a ring of 25 ms buffers handed back as they
// fill, and a device that stops filling them (unplugged, its driver or sound server gone)
// reported as lost.
#pragma once

#include "recorder/sound_capture.h"

#include <memory>

namespace recorder {

std::unique_ptr<TSoundCapture::Source> MakeWaveInSource(TSoundCapture& owner);

} // namespace recorder
