// The user thermocouple page. Reading uses the instrument's names "WebInterface_UA" and
// "WebInterface_UB", writing "User 1" and "User 2".
#include "channelConfiguration_userTC.h"

#include "commonReports.h"
#include "demoStore.h"
#include "fieldMark.h"
#include "driverCall.h"
#include "userTC.h"
#include "waitCursor.h"

#include "ts4720.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

static_assert(N_USER_COEFFS == TS4720_N_USER_COEFFS, "the page moves the driver's coefficient count");

channelConfiguration_userTC::channelConfiguration_userTC(const panelContext &context, QWidget *parent)
    : QWidget(parent), vi(context.vi), demo(context.demo)
{
    userTypes[0] = new userTC(1);
    userTypes[1] = new userTC(2);
    refreshButton = new QPushButton(QStringLiteral("Refresh"));
    saveButton = new QPushButton(QStringLiteral("Save"));
    QFont bold = saveButton->font();
    bold.setBold(true);
    saveButton->setFont(bold);

    auto *groups = new QHBoxLayout;
    groups->addStretch();
    groups->addWidget(userTypes[0]);
    groups->addWidget(userTypes[1]);
    groups->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refreshButton);
    buttons->addWidget(saveButton);
    auto *page = new QVBoxLayout(this);
    page->addLayout(groups);
    page->addStretch();
    page->addLayout(buttons);

    connect(saveButton, &QPushButton::clicked, this, &channelConfiguration_userTC::doSave);
    connect(refreshButton, &QPushButton::clicked, this, &channelConfiguration_userTC::doRefresh);
}

void channelConfiguration_userTC::doSave()
{
    double coeff[2][N_USER_COEFFS];
    QStringList problems = userTypes[0]->values(coeff[0]);
    problems += userTypes[1]->values(coeff[1]);
    // Text that is no number must never reach the instrument, not even as 0.
    if (!problems.isEmpty()) {
        reportWarning(refusedSaveText(problems));
        return;
    }
    const driverAction action;
    const waitCursor busy;
    for (int i = 0; i < 2; ++i) {
        if (demo) {
            demoStore::setCoefficients(i + 1, coeff[i]);
            continue;
        }
        const QByteArray name = QStringLiteral("User %1").arg(i + 1).toLatin1();
        reportedCall(vi, [&] { return ts4720_setCustomThermConfig(vi, name.constData(), coeff[i], N_USER_COEFFS); },
                     "ts4720_setCustomThermConfig(vi, QString(\"User %1\").arg(i+1).toLatin1().data(), "
                     "coeff, N_USER_COEFFS)");
    }
}

void channelConfiguration_userTC::doRefresh()
{
    const driverAction action;
    const waitCursor busy;
    static const char *const readNames[2] = {"WebInterface_UA", "WebInterface_UB"};
    static const char *const callTexts[2] = {
        "ts4720_getCustomThermConfig(vi, \"WebInterface_UA\", coeff, &coeffNum)",
        "ts4720_getCustomThermConfig(vi, \"WebInterface_UB\", coeff, &coeffNum)"};
    for (int i = 0; i < 2; ++i) {
        // Entries the instrument does not fill are shown as 0.
        double coeff[N_USER_COEFFS] = {};
        if (demo) {
            demoStore::coefficients(i + 1, coeff);
        } else {
            ViInt32 coeffNum = 0;
            // A failed read keeps what is shown: zeros there would be written back by Save.
            if (reportedCall(vi, [&] { return ts4720_getCustomThermConfig(vi, readNames[i], coeff, &coeffNum); },
                             callTexts[i]) < 0)
                continue;
        }
        userTypes[i]->setValues(coeff);
    }
}
