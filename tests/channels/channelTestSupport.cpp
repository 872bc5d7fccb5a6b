#include "channelTestSupport.h"

#include <QtTest>

#include "singleChannelConfig.h"
#include "ts4720.h"

#include <QCheckBox>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

boxRecorder::boxRecorder()
    : handler([this](const messageBoxes::Request &request) {
          boxes.append(request);
          if (request.kind == messageBoxes::Kind::Critical)
              return int(QMessageBox::No);
          return int(QMessageBox::Ok);
      })
{
}

QStringList boxRecorder::texts(messageBoxes::Kind kind) const
{
    QStringList out;
    for (const messageBoxes::Request &r : boxes) {
        if (r.kind == kind)
            out << r.text;
    }
    return out;
}

simulatedInstrument::simulatedInstrument(const std::string &address, const std::string &subType, bool trace)
{
    tssim::Options options;
    options.trace = trace;
    options.address = address;
    options.subType = subType;
    options.webPort = -1;
    instrument = std::make_unique<tssim::Instrument>(options);
    std::string why;
    if (!instrument->start(&why)) {
        error = QString::fromStdString(why);
        return;
    }
    const ViStatus s = ts4720_init(instrument->descriptor().c_str(), VI_TRUE, VI_FALSE, &vi);
    if (s < 0) {
        error = QStringLiteral("ts4720_init: %1").arg(s);
        vi = 0;
    }
}

void simulatedInstrument::reopen()
{
    ts4720_close(vi);
    if (ts4720_init(instrument->descriptor().c_str(), VI_TRUE, VI_FALSE, &vi) < 0)
        vi = 0;
}

simulatedInstrument::~simulatedInstrument()
{
    if (vi)
        ts4720_close(vi);
}

QString simulatedInstrument::command(const QString &message)
{
    return QString::fromStdString(instrument->command(message.toStdString()));
}

panelContext simulatedInstrument::context(int channelCount) const
{
    panelContext c;
    c.vi = vi;
    c.channelCount = channelCount;
    return c;
}

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

panelContext demoContext(int channelCount)
{
    panelContext c;
    c.demo = true;
    c.channelCount = channelCount;
    return c;
}

QString rowState(const singleChannelConfig *row)
{
    return QString("%1 %2 %3 %4|%5").arg(int(row->chEnabled->isChecked())).arg(int(row->OTDenabled->isChecked()))
        .arg(row->checkedType()).arg(row->thMin->text(), row->thMax->text());
}

const QString openText = "<font style='color: #992222; font-weight: bold'>Open</font>";
const QString connectedText = "<font style='color: #009922; font-weight: bold'>Connected</font>";
const QString dashText = "<font style='color: #000; font-weight: bold'>-</font>";
const QString unknownText = "<font style='color: #000; font-weight: bold'>Unknown</font>";

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
