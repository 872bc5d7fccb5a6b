#include "channelTestSupport.h"

#include <QtTest>

#include "channelTexts.h"
#include "singleChannelConfig.h"
#include "ts4720.h"

#include <QCheckBox>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

QList<double> numbers(const QString &reply)
{
    QList<double> out;
    for (const QString &field : reply.split(','))
        out << field.trimmed().toDouble();
    return out;
}

QString rowState(const singleChannelConfig *row)
{
    return QString("%1 %2 %3 %4|%5").arg(int(row->chEnabled->isChecked())).arg(int(row->OTDenabled->isChecked()))
        .arg(row->checkedType()).arg(row->thMin->text(), row->thMax->text());
}

// The texts as the rows show them; the tests compare states, not the markup.
const QString openText = connectionStatusText(connectionState::Open);
const QString connectedText = connectionStatusText(connectionState::Connected);
const QString dashText = connectionStatusText(connectionState::Disabled);
const QString unknownText = connectionStatusText(connectionState::Unknown);

QStringList capturedStdout(const std::function<void()> &action)
{
    QTemporaryFile file;
    if (!file.open())
        return {};
    std::fflush(stdout);
    const int saved = dup(1);
    dup2(file.handle(), 1);
    action();
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    file.seek(0);
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}
