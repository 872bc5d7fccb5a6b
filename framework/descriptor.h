// VISA resource descriptors: the ordering used to sort discovered resources and the key
// under which the selection tree groups them. Plain functions, no widgets.
#ifndef TS2900FP_DESCRIPTOR_H
#define TS2900FP_DESCRIPTOR_H

#include <QString>

// The longest leading run of ASCII letters, in upper case ("TCPIP" for "tcpip0::...").
QString descriptorInterfaceName(const QString &descriptor);

// The optionally signed decimal number right behind the interface name; 0 without digits.
int descriptorBoardNumber(const QString &descriptor);

// The text before the first colon, or the whole descriptor when it has none.
QString descriptorGroupKey(const QString &descriptor);

// True when a sorts before b. Descriptors of one interface name compare by their numbers
// (TCPIP: board and IPv4 address; VXI, GPIB, SOCKET, BACKPLANE, PXI, ASRL: board only, so
// modules of one chassis compare equal); other names compare as plain text. Descriptors
// of different interface names are ordered by the names, which keeps every interface in
// one block and the whole relation a strict weak ordering.
bool descriptorLessThan(QString a, QString b);

#endif
