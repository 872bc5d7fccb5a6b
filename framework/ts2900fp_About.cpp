// Construction and paging of the About box.
#include "ts2900fp_About.h"

#include "frameworkResources.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

static QFormLayout *newForm(int h)
{
    auto *form = new QFormLayout;
    form->setHorizontalSpacing(h);
    form->setContentsMargins(h, h, h, h);
    return form;
}

ts2900fp_About::ts2900fp_About(const QString &panelVersion, const QString &driverRevision,
                               const QString &modelText, const QString &notice,
                               QWidget *parent, const QString &commonRevision)
    : QDialog(parent)
{
    ts2900fp_initResources();
    const int h = fontMetrics().height();
    setWindowTitle(tr("About Korvan %1 Soft Front Panel").arg(modelText));
    setMinimumSize(380, 300);
    resize(380, 300);

    auto *main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    auto *heading = new QLabel(QStringLiteral("<font size='5' bold>Korvan %1 VXIplug&play Driver"
                                              "<br>Soft Front Panel Application</font>")
                                   .arg(modelText),
                               this);
    heading->setAlignment(Qt::AlignCenter);
    auto *noticeLabel = new QLabel(notice, this);
    noticeLabel->setAlignment(Qt::AlignCenter);
    main->addWidget(heading);
    main->addWidget(noticeLabel);
    main->addSpacing(h);

    auto *row = new QHBoxLayout;
    row->addWidget(buildPicture(h));
    row->addLayout(buildColumn(h, panelVersion, driverRevision, commonRevision));
    main->addLayout(row);
}

// The picture is shown 19 lines high at most (8 at least), cut from its bottom, unscaled.
QLabel *ts2900fp_About::buildPicture(int h)
{
    const QPixmap image(QStringLiteral(":/about.png"));
    const int shown = std::max(std::min(19 * h, image.height()), 8 * h);
    m_picture = new QLabel(this);
    m_picture->setPixmap(image.copy(0, image.height() - shown, image.width(), shown));
    return m_picture;
}

QLayout *ts2900fp_About::buildColumn(int h, const QString &panelVersion,
                                     const QString &driverRevision, const QString &commonRevision)
{
    auto *column = new QVBoxLayout;
    auto *software = new QGroupBox(QStringLiteral("Software Revisions"), this);
    m_softwareForm = newForm(h);
    software->setLayout(m_softwareForm);
    if (!commonRevision.isNull()) {
        m_commonLabel = new QLabel(commonRevision, software);
        m_softwareForm->addRow(QStringLiteral("Korvan Common Library:"), m_commonLabel);
    }
    m_driverLabel = new QLabel(driverRevision, software);
    m_panelLabel = new QLabel(panelVersion, software);
    m_softwareForm->addRow(QStringLiteral("Instrument Driver:"), m_driverLabel);
    m_softwareForm->addRow(QStringLiteral("Soft Front Panel:"), m_panelLabel);

    auto *hardware = new QGroupBox(QStringLiteral("Hardware Information"), this);
    m_hardwareForm = newForm(h);
    hardware->setLayout(m_hardwareForm);
    m_modelLabel = new QLabel(hardware);
    m_revisionLabel = new QLabel(hardware);
    m_serialLabel = new QLabel(hardware);
    // Shown as rows only once the first instrument is added.
    m_modelLabel->hide();
    m_revisionLabel->hide();
    m_serialLabel->hide();

    column->addWidget(software);
    column->addWidget(hardware);
    column->addLayout(buildButtonRow());
    return column;
}

QLayout *ts2900fp_About::buildButtonRow()
{
    auto *buttons = new QHBoxLayout;
    m_prevButton = new QPushButton(QStringLiteral("< Previous"), this);
    m_nextButton = new QPushButton(QStringLiteral("Next >"), this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    for (QPushButton *button : {m_prevButton, m_nextButton, ok}) {
        button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
        buttons->addWidget(button);
    }
    m_prevButton->setEnabled(false);
    m_prevButton->hide();
    m_nextButton->hide();
    connect(m_nextButton, &QPushButton::clicked, this, &ts2900fp_About::next);
    connect(m_prevButton, &QPushButton::clicked, this, &ts2900fp_About::prev);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    return buttons;
}

void ts2900fp_About::addHardwareInfo(const QString &serialNumber, const QString &revision,
                                     const QString &deviceModel, const QString &driverRevision,
                                     const QString &panelVersion)
{
    const HardwareRecord record{driverRevision.isEmpty() ? m_driverLabel->text() : driverRevision,
                                panelVersion.isEmpty() ? m_panelLabel->text() : panelVersion,
                                deviceModel, revision, serialNumber};
    if (m_records.isEmpty()) {
        m_hardwareForm->addRow(QStringLiteral("Device Model:"), m_modelLabel);
        m_hardwareForm->addRow(QStringLiteral("Revision:"), m_revisionLabel);
        m_hardwareForm->addRow(QStringLiteral("Serial Number:"), m_serialLabel);
        m_modelLabel->show();
        m_revisionLabel->show();
        m_serialLabel->show();
        showRecord(record);
    } else if (m_records.size() == 1) {
        m_prevButton->show();
        m_nextButton->show();
    }
    m_records.append(record);
}

void ts2900fp_About::next()
{
    if (m_index + 1 >= m_records.size())
        return;
    ++m_index;
    if (m_index == m_records.size() - 1)
        m_nextButton->setEnabled(false);
    m_prevButton->setEnabled(true);
    showRecord(m_records[m_index]);
}

void ts2900fp_About::prev()
{
    if (m_index <= 0)
        return;
    --m_index;
    if (m_index == 0)
        m_prevButton->setEnabled(false);
    m_nextButton->setEnabled(true);
    showRecord(m_records[m_index]);
}

void ts2900fp_About::showRecord(const HardwareRecord &record)
{
    if (!record.driverRevision.isEmpty())
        m_driverLabel->setText(record.driverRevision);
    if (!record.panelVersion.isEmpty())
        m_panelLabel->setText(record.panelVersion);
    m_modelLabel->setText(record.deviceModel);
    m_revisionLabel->setText(record.revision);
    m_serialLabel->setText(record.serialNumber);
}
