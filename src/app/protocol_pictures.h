// The light protocol of each measurement type as a small step diagram over time, shown on the
// table page beside the info box: dark phases on the time line in black, actinic and adapting
// light as blue steps, saturating pulses as tall blue bars, far red in red, each phase labelled.
#pragma once

#include <QImage>

namespace corvel::app {

inline constexpr int kPictureWidth = 400;
inline constexpr int kPictureHeight = 200;
inline constexpr int kPictureCount = 8;

// Picture `number` 1..8 (Image1 .. Image8): OJIP, pulse kinetics, rapid light curve, dark
// relaxation, after steady state, PIFR, transient light curve, Fo' determination. Any other
// number gives a white picture.
QImage ProtocolPicture(int number);

}  // namespace corvel::app
