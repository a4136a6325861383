#pragma once

#include "tools/catgen/SceneKit.h"

// Preview scenes of places: each paints the whole canvas, at any size.
void DrawMountains(Scene& scene);
void DrawBeach(Scene& scene);
void DrawCity(Scene& scene);
void DrawFlowers(Scene& scene);
void DrawSnow(Scene& scene);
void DrawUnderwater(Scene& scene);
