// Deterministic noise for the procedural backgrounds: smooth lattice noise
// and its fractal sum, from a fixed hash (the same pictures on every build).
#pragma once

#include <cstdint>

// Hash of a lattice point to 0..1.
double latticeValue(int x, int y, uint32_t seed);
// Smoothly interpolated lattice noise, 0..1.
double smoothNoise(double x, double y, uint32_t seed);
// Sum of octaves of smooth noise (each half as strong, twice as fine), 0..1.
double fractalNoise(double x, double y, int octaves, uint32_t seed);
