// Ordering and grouping of VISA resource descriptors.
#include "descriptor.h"

#include <QStringList>

#include <array>
#include <climits>

namespace {

bool isAsciiLetter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool isDigit(const QString &s, int pos)
{
    return pos < s.size() && s.at(pos).unicode() >= '0' && s.at(pos).unicode() <= '9';
}

int nameLength(const QString &descriptor)
{
    int n = 0;
    while (n < descriptor.size() && isAsciiLetter(descriptor.at(n)))
        ++n;
    return n;
}

// Reads an optionally signed decimal number at pos, saturating at the int range so that
// absurdly long digit runs still give a well-defined value. False when no digit follows.
bool readNumber(const QString &s, int &pos, int &value)
{
    int p = pos;
    bool negative = false;
    if (p < s.size() && (s.at(p) == QLatin1Char('+') || s.at(p) == QLatin1Char('-'))) {
        negative = s.at(p) == QLatin1Char('-');
        ++p;
    }
    if (!isDigit(s, p))
        return false;
    long long v = 0;
    while (isDigit(s, p)) {
        if (v <= INT_MAX)
            v = v * 10 + (s.at(p).unicode() - '0');
        ++p;
    }
    if (negative)
        v = -v;
    value = int(qBound<long long>(INT_MIN, v, INT_MAX));
    pos = p;
    return true;
}

// Board number and the four address parts of a TCPIP descriptor; parts that cannot be
// read are 0 and reading stops at the first one that fails.
std::array<int, 5> tcpipKey(const QString &descriptor)
{
    std::array<int, 5> key{0, 0, 0, 0, 0};
    int pos = nameLength(descriptor);
    readNumber(descriptor, pos, key[0]);
    if (descriptor.midRef(pos, 2) != QLatin1String("::"))
        return key;
    pos += 2;
    for (int part = 1; part <= 4; ++part) {
        if (part > 1) {
            if (pos >= descriptor.size() || descriptor.at(pos) != QLatin1Char('.'))
                break;
            ++pos;
        }
        if (!readNumber(descriptor, pos, key[part]))
            break;
    }
    return key;
}

bool comparesByBoard(const QString &name)
{
    static const QStringList names{QStringLiteral("VXI"), QStringLiteral("GPIB"),
                                   QStringLiteral("SOCKET"), QStringLiteral("BACKPLANE"),
                                   QStringLiteral("PXI"), QStringLiteral("ASRL")};
    return names.contains(name);
}

} // namespace

QString descriptorInterfaceName(const QString &descriptor)
{
    return descriptor.left(nameLength(descriptor)).toUpper();
}

int descriptorBoardNumber(const QString &descriptor)
{
    int pos = nameLength(descriptor);
    int board = 0;
    readNumber(descriptor, pos, board);
    return board;
}

QString descriptorGroupKey(const QString &descriptor)
{
    const int colon = descriptor.indexOf(QLatin1Char(':'));
    return colon < 0 ? descriptor : descriptor.left(colon);
}

bool descriptorLessThan(QString a, QString b)
{
    const QString nameA = descriptorInterfaceName(a);
    const QString nameB = descriptorInterfaceName(b);
    // Comparing whole texts here would interleave the interfaces: "TCPIP0::10..." <
    // "TCPIPX" < "TCPIP_" while the TCPIP rule orders the first and last the other way,
    // a cycle that sorting cannot cope with. For usual descriptors (upper-case name,
    // then a digit or ':') the name order is the text order anyway.
    if (nameA != nameB)
        return nameA < nameB;
    if (nameA == QLatin1String("TCPIP"))
        return tcpipKey(a) < tcpipKey(b);
    if (comparesByBoard(nameA))
        return descriptorBoardNumber(a) < descriptorBoardNumber(b);
    return a < b;
}
