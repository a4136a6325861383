#pragma once

#include <cstdint>

#include "tools/catgen/CatgenRandom.h"
#include "tools/catgen/PixelCanvas.h"

// The symbols logos and previews are made of.
enum class Shape { Heart, Star, Note, Diamond, Ring, Bolt, Count };

// The shape in a box of size x size at (x, y); a ring's hole is painted paper.
void DrawShape(PixelCanvas& canvas, Shape shape, int x, int y, int size, std::uint8_t ink,
               std::uint8_t paper);

Shape PickShape(CatgenRandom& random);
