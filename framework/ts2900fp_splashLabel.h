// The start-up splash image: the base picture with the product title, description,
// notice line and the picture of the device painted on it.
#ifndef TS2900FP_SPLASHLABEL_H
#define TS2900FP_SPLASHLABEL_H

#include <QPixmap>
#include <QString>

class ts2900fp_splashLabel : public QPixmap {
public:
    ts2900fp_splashLabel(float scale, int margin, int modelNumber, bool hex,
                         const QString &notice, const QString &description);

    // The diagnostic printed when the device picture has neither accepted size.
    static const char *const wrongPictureLine;

private:
    void drawDevicePicture(QPainter &painter, const QString &model);
};

#endif
