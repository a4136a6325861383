#pragma once

#include "tools/catgen/SceneKit.h"

// Preview scenes of the night sky: each paints the whole canvas, at any size.
void DrawSpace(Scene& scene);
void DrawStarField(Scene& scene);
void DrawFireworks(Scene& scene);
void DrawCampfire(Scene& scene);
