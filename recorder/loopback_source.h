// The capture of the sound the computer plays: WASAPI loopback on the default output, converted
// to the asked rate and channels, with a silent stream played beside it so that quiet stretches
// arrive as silence rather than as nothing.
#pragma once

#include "recorder/sound_capture.h"

#include <memory>

namespace recorder {

std::unique_ptr<TSoundCapture::Source> MakeLoopbackSource(TSoundCapture& owner);

} // namespace recorder
