// What the tour asks of the play screen's pointing arrow. The play screen
// owns the arrow; the tour reaches it through the open play screen each time
// (there is none when the tour starts from the title screen's menu).
#pragma once

class CAppTutorialPointer {
 public:
  virtual ~CAppTutorialPointer() = default;
  // Shows the arrow at (x, y) of the screen and starts its bounce.
  virtual void show(int x, int y) = 0;
  virtual void hide() = 0;
  // One frame of the bounce.
  virtual void update() = 0;
};
