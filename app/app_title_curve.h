// The path the title screen animates along: a quadratic curve through three
// points of the layout values, sampled at 101 points, each given as the top
// left corner of two picture sizes centred on the curve.
#pragma once

#include <cstdint>
#include <span>

class CQZFApplication;

class CAppTitleCurve {
 public:
  static constexpr int kPoints = 101;

  struct Point {
    int16_t xB, yB;  // corner of the size B picture
    int16_t xA, yA;  // corner of the size A picture
  };

  // Samples the curve with the application's value table and scaling.
  void build(const CQZFApplication& application);
  const Point& point(int index) const { return points_[index]; }

 private:
  Point points_[kPoints] = {};
};
