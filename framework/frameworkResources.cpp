// Registration of the image resources kept in the static resource library.
#include "frameworkResources.h"

#include <QtGlobal>

static bool registerImages()
{
    Q_INIT_RESOURCE(ts4720fp);
    return true;
}

void ts2900fp_initResources()
{
    static const bool registered = registerImages();
    (void)registered;
}
