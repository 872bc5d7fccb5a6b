// Texts of the statuses this library returns, for viStatusDesc.
#ifndef TSVISA_VISASTATUSTEXT_H
#define TSVISA_VISASTATUSTEXT_H

#include "visatype.h"

namespace tsvisa {

// The text of a status, or nullptr when the library does not know it.
const char *statusText(ViStatus status);

} // namespace tsvisa

#endif
