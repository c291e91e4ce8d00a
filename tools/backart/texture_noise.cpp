#include "texture_noise.h"

#include <cmath>

double latticeValue(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<double>(h & 0xFFFFFF) / 16777215.0;
}

double smoothNoise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double tx = x - fx, ty = y - fy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = latticeValue(ix, iy, seed), b = latticeValue(ix + 1, iy, seed);
  const double c = latticeValue(ix, iy + 1, seed), d = latticeValue(ix + 1, iy + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double fractalNoise(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, weight = 0, strength = 1, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += strength * smoothNoise(x * scale, y * scale, seed + static_cast<uint32_t>(i));
    weight += strength;
    strength *= 0.5;
    scale *= 2;
  }
  return sum / weight;
}
