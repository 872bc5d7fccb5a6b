// The tests' one message-box recorder.
#include "boxRecorder.h"

#include <QtTest>

boxRecorder::boxRecorder()
    : m_handler([this](const messageBoxes::Request &request) {
          m_requests << request;
          m_read << false;
          return answer(request);
      })
{
}

boxRecorder::boxRecorder(QList<int> answers) : boxRecorder()
{
    m_answers = std::move(answers);
    m_scripted = true;
}

boxRecorder::~boxRecorder()
{
    checkAccounted();
}

int boxRecorder::answer(const messageBoxes::Request &request)
{
    if (m_scripted)
        return m_answers.isEmpty() ? -1 : m_answers.takeFirst();
    if (m_rule)
        return m_rule(request);
    if (!request.customButtons.isEmpty())
        return int(request.customButtons.indexOf(m_choice));
    if (request.kind == messageBoxes::Kind::Critical)
        return int(QMessageBox::No);
    if (request.standardButtons & QMessageBox::Yes)
        return int(m_yes ? QMessageBox::Yes : QMessageBox::No);
    return int(QMessageBox::Ok);
}

const QList<messageBoxes::Request> &boxRecorder::requests()
{
    for (bool &read : m_read)
        read = true;
    return m_requests;
}

QStringList boxRecorder::texts()
{
    QStringList out;
    for (const messageBoxes::Request &request : requests())
        out << request.text;
    return out;
}

QStringList boxRecorder::titledTexts()
{
    QStringList out;
    for (const messageBoxes::Request &request : requests())
        out << request.title + QStringLiteral(": ") + request.text;
    return out;
}

QStringList boxRecorder::texts(messageBoxes::Kind kind)
{
    QStringList out;
    for (int i = 0; i < m_requests.size(); ++i) {
        if (m_requests[i].kind == kind) {
            m_read[i] = true;
            out << m_requests[i].text;
        }
    }
    return out;
}

int boxRecorder::count(const QString &fragment)
{
    int n = 0;
    for (int i = 0; i < m_requests.size(); ++i) {
        if (m_requests[i].text.contains(fragment)) {
            m_read[i] = true;
            ++n;
        }
    }
    return n;
}

void boxRecorder::clear()
{
    checkAccounted();
    m_requests.clear();
    m_read.clear();
}

void boxRecorder::checkAccounted()
{
    // A test that failed already has said what went wrong; outside a test nobody listens.
    if (!QTest::currentTestFunction() || QTest::currentTestFailed())
        return;
    for (int i = 0; i < m_requests.size(); ++i) {
        const messageBoxes::Request &r = m_requests[i];
        if (m_read[i] || (r.kind != messageBoxes::Kind::Critical && r.kind != messageBoxes::Kind::Warning))
            continue;
        bool expected = false;
        for (const QString &fragment : qAsConst(m_expected))
            expected = expected || r.text.contains(fragment);
        if (!expected) {
            const QString what = QStringLiteral("unexpected box \"%1\": %2").arg(r.title, r.text);
            QTest::qFail(qPrintable(what), __FILE__, __LINE__);
            return;
        }
    }
}
