#pragma once

#include "tools/catgen/SceneKit.h"

// Preview scenes of clocks showing a time of their own: each paints the
// whole canvas, at any size.
void DrawAnalogClock(Scene& scene);
void DrawDigitalClock(Scene& scene);
