// The bench's own small pictures, drawn in code: the status lamp of the weight
// display and the logical-device list, and the continuous ADC toggle's glyph.
#pragma once

#include <QIcon>
#include <QPixmap>

// 16 x 16 on a grey ground: 0 the unlit (dark) bulb, 1 the same bulb lit,
// yellow with rays. Any other index gives the unlit bulb. Drawn anew on every
// call, sharp for the given device pixel ratio.
QPixmap lampPixmap(int index, qreal devicePixelRatio = 1.0);

// The two lamp pictures of a window, each drawn once and then handed out: a
// display tick shows four lamps, and drawing them anew was most of its cost.
// A window moved to a screen of another pixel ratio asks for that ratio and
// gets the pair drawn again.
class LampPictures {
 public:
  const QPixmap& picture(bool lit, qreal devicePixelRatio);

 private:
  qreal ratio_ = 0.0;
  QPixmap unlit_;
  QPixmap lit_;
};

// A small meter screen with a wave trace, for the continuous ADC toggle.
QIcon adcToggleIcon();
