// The user thermocouple page: both types read and written through the page's source.
#include "channelConfiguration_userTC.h"

#include "commonReports.h"
#include "driverCall.h"
#include "fieldMark.h"
#include "userTC.h"
#include "waitCursor.h"

#include "ts4720.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

static_assert(N_USER_COEFFS == TS4720_N_USER_COEFFS, "the page moves the driver's coefficient count");

channelConfiguration_userTC::channelConfiguration_userTC(const panelContext &context, QWidget *parent)
    : QWidget(parent), m_source(channelSettingsSource::create(context))
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
    for (int i = 0; i < 2; ++i)
        m_source->writeCoefficients(i + 1, coeff[i]);
}

void channelConfiguration_userTC::doRefresh()
{
    const driverAction action;
    const waitCursor busy;
    for (int i = 0; i < 2; ++i) {
        // Entries the source does not fill are shown as 0.
        double coeff[N_USER_COEFFS] = {};
        // A failed read keeps what is shown: zeros there would be written back by Save.
        if (m_source->readCoefficients(i + 1, coeff))
            userTypes[i]->setValues(coeff);
    }
}
