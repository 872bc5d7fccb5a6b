// Shows the wait cursor for as long as the guard lives.
#ifndef TS4720_WAITCURSOR_H
#define TS4720_WAITCURSOR_H

#include <QApplication>
#include <QCursor>

class waitCursor {
public:
    waitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~waitCursor() { QApplication::restoreOverrideCursor(); }
    waitCursor(const waitCursor &) = delete;
    waitCursor &operator=(const waitCursor &) = delete;
};

#endif
