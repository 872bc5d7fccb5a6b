// The HTML of the instrument's web status page.
#ifndef TSSIM_WEBSTATUSPAGE_H
#define TSSIM_WEBSTATUSPAGE_H

#include <string>

namespace tssim {

struct InstrumentModel;

class WebStatusPage {
public:
    static std::string html(const InstrumentModel &model, long long nowNs);
};

} // namespace tssim

#endif
