// Answers every message box and question a test provokes, keeps what was asked, and fails
// the test on an error or warning box the test did not account for.
#ifndef TS4720_BOXRECORDER_H
#define TS4720_BOXRECORDER_H

#include "messageBoxes.h"

#include <QList>
#include <QStringList>

#include <functional>

class boxRecorder {
public:
    // Answers by the rule: a box with buttons of its own presses the one named by
    // chooseButton() (none: -1), an error report answers No (the action goes on), a
    // question answers Yes or what answerQuestions() set, any other box Ok.
    boxRecorder();
    // Answers in this order instead, -1 (closed) once they are used up.
    explicit boxRecorder(QList<int> answers);
    // Fails the running test on an error or warning box that was neither expected nor read.
    ~boxRecorder();
    boxRecorder(const boxRecorder &) = delete;
    boxRecorder &operator=(const boxRecorder &) = delete;

    void chooseButton(const QString &text) { m_choice = text; }
    void answerQuestions(bool yes) { m_yes = yes; }
    // A rule of the test's own replaces the one above; it sees each box first.
    void answerWith(std::function<int(const messageBoxes::Request &)> rule) { m_rule = std::move(rule); }

    // Error and warning boxes whose text contains fragment are expected, however many come.
    void expect(const QString &fragment) { m_expected << fragment; }

    // What was shown. Reading a box through these counts as accounting for it: the test
    // asserts on what it reads.
    const QList<messageBoxes::Request> &requests();
    QStringList texts();
    QStringList texts(messageBoxes::Kind kind);
    // Each box as "title: text".
    QStringList titledTexts();
    int count(const QString &fragment);
    // Forgets what was shown, after the same check the destructor makes.
    void clear();

private:
    int answer(const messageBoxes::Request &request);
    void checkAccounted();

    QList<messageBoxes::Request> m_requests;
    QList<bool> m_read; // per request: read by the test
    QStringList m_expected;
    QList<int> m_answers;
    bool m_scripted = false;
    QString m_choice;
    bool m_yes = true;
    std::function<int(const messageBoxes::Request &)> m_rule;
    messageBoxes::ScopedHandler m_handler;
};

#endif
