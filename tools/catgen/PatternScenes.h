#pragma once

#include "tools/catgen/SceneKit.h"

// Preview scenes of patterns and symbols: each paints the whole canvas, at
// any size.
void DrawHearts(Scene& scene);
void DrawRings(Scene& scene);
void DrawStripes(Scene& scene);
void DrawMosaic(Scene& scene);
void DrawRays(Scene& scene);
void DrawBubbles(Scene& scene);
