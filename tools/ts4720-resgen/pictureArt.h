// The two large pictures: the splash base and the About box picture.
#ifndef TS4720_RESGEN_PICTUREART_H
#define TS4720_RESGEN_PICTUREART_H

#include <QImage>

// 540 x 400: maker band on the left, light field where the program paints the device
// picture (67, 43, 452 x 194), the title from y 236 and the notice near y 370.
QImage drawSplashBase();
// 180 x 460: the About box shows its bottom part, so the drawing sits low.
QImage drawAboutPicture();

#endif
