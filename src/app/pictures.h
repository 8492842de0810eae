// The bench's own small pictures, drawn in code: the status lamp of the weight
// display and the logical-device list, and the continuous ADC toggle's glyph.
#pragma once

#include <QIcon>
#include <QPixmap>

// 16 x 16 on a grey ground: 0 the unlit (dark) bulb, 1 the same bulb lit,
// yellow with rays. Any other index gives the unlit bulb.
QPixmap lampPixmap(int index);

// A small meter screen with a wave trace, for the continuous ADC toggle.
QIcon adcToggleIcon();
