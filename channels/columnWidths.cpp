// Texts measured in the bold font, plus room for a button's frame where a button sits.
#include "columnWidths.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace {

int widest(const QFontMetrics &m, const QStringList &texts)
{
    int w = 0;
    for (const QString &t : texts)
        w = std::max(w, m.horizontalAdvance(t));
    return w;
}

} // namespace

columnWidths::columnWidths(const QFont &font)
{
    QFont bold(font);
    bold.setBold(true);
    const QFontMetrics m(bold);
    const int em = m.horizontalAdvance(QLatin1Char('M'));
    const int margin = em / 2;  // around a caption
    const int button = 2 * em;  // a push button's frame and padding
    channelNumber = std::max(30, widest(m, {"48"}) + margin);
    channelEnabled = std::max(85, std::max(widest(m, {"Channel", "Enabled"}) + margin,
                                           widest(m, {"Enable All"}) + button));
    otdEnabled = std::max(85, std::max(widest(m, {"OTD", "Enabled"}) + margin, widest(m, {"Enable All"}) + button));
    connectionStatus = std::max(100, widest(m, {"Connection", "Status", "Connected", "Unknown"}) + margin);
    standardType = std::max(37, widest(m, {"J", "K", "T", "E", "B", "S", "R", "N"}) + button);
    userType = std::max(65, widest(m, {"User 1", "User 2"}) + button);
    threshold = std::max(90, widest(m, {"Minimum", "Maximum", "-1234.56"}) + margin);
}
