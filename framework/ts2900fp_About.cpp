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
    d_picture = new QLabel(this);
    d_picture->setPixmap(image.copy(0, image.height() - shown, image.width(), shown));
    return d_picture;
}

QLayout *ts2900fp_About::buildColumn(int h, const QString &panelVersion,
                                     const QString &driverRevision, const QString &commonRevision)
{
    auto *column = new QVBoxLayout;
    auto *software = new QGroupBox(QStringLiteral("Software Revisions"), this);
    d_softwareForm = newForm(h);
    software->setLayout(d_softwareForm);
    if (!commonRevision.isNull()) {
        d_commonLabel = new QLabel(commonRevision, software);
        d_softwareForm->addRow(QStringLiteral("Korvan Common Library:"), d_commonLabel);
    }
    d_driverLabel = new QLabel(driverRevision, software);
    d_panelLabel = new QLabel(panelVersion, software);
    d_softwareForm->addRow(QStringLiteral("Instrument Driver:"), d_driverLabel);
    d_softwareForm->addRow(QStringLiteral("Soft Front Panel:"), d_panelLabel);

    auto *hardware = new QGroupBox(QStringLiteral("Hardware Information"), this);
    d_hardwareForm = newForm(h);
    hardware->setLayout(d_hardwareForm);
    d_modelLabel = new QLabel(hardware);
    d_revisionLabel = new QLabel(hardware);
    d_serialLabel = new QLabel(hardware);
    // Shown as rows only once the first instrument is added.
    d_modelLabel->hide();
    d_revisionLabel->hide();
    d_serialLabel->hide();

    column->addWidget(software);
    column->addWidget(hardware);
    column->addLayout(buildButtonRow());
    return column;
}

QLayout *ts2900fp_About::buildButtonRow()
{
    auto *buttons = new QHBoxLayout;
    d_prevButton = new QPushButton(QStringLiteral("< Previous"), this);
    d_nextButton = new QPushButton(QStringLiteral("Next >"), this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    for (QPushButton *button : {d_prevButton, d_nextButton, ok}) {
        button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
        buttons->addWidget(button);
    }
    d_prevButton->setEnabled(false);
    d_prevButton->hide();
    d_nextButton->hide();
    connect(d_nextButton, &QPushButton::clicked, this, &ts2900fp_About::next);
    connect(d_prevButton, &QPushButton::clicked, this, &ts2900fp_About::prev);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    return buttons;
}

void ts2900fp_About::addHardwareInfo(const QString &serialNumber, const QString &revision,
                                     const QString &deviceModel, const QString &driverRevision,
                                     const QString &panelVersion)
{
    const HardwareRecord record{driverRevision.isEmpty() ? d_driverLabel->text() : driverRevision,
                                panelVersion.isEmpty() ? d_panelLabel->text() : panelVersion,
                                deviceModel, revision, serialNumber};
    if (d_records.isEmpty()) {
        d_hardwareForm->addRow(QStringLiteral("Device Model:"), d_modelLabel);
        d_hardwareForm->addRow(QStringLiteral("Revision:"), d_revisionLabel);
        d_hardwareForm->addRow(QStringLiteral("Serial Number:"), d_serialLabel);
        d_modelLabel->show();
        d_revisionLabel->show();
        d_serialLabel->show();
        showRecord(record);
    } else if (d_records.size() == 1) {
        d_prevButton->show();
        d_nextButton->show();
    }
    d_records.append(record);
}

void ts2900fp_About::next()
{
    if (d_index + 1 >= d_records.size())
        return;
    ++d_index;
    if (d_index == d_records.size() - 1)
        d_nextButton->setEnabled(false);
    d_prevButton->setEnabled(true);
    showRecord(d_records[d_index]);
}

void ts2900fp_About::prev()
{
    if (d_index <= 0)
        return;
    --d_index;
    if (d_index == 0)
        d_prevButton->setEnabled(false);
    d_nextButton->setEnabled(true);
    showRecord(d_records[d_index]);
}

void ts2900fp_About::showRecord(const HardwareRecord &record)
{
    if (!record.driverRevision.isEmpty())
        d_driverLabel->setText(record.driverRevision);
    if (!record.panelVersion.isEmpty())
        d_panelLabel->setText(record.panelVersion);
    d_modelLabel->setText(record.deviceModel);
    d_revisionLabel->setText(record.revision);
    d_serialLabel->setText(record.serialNumber);
}
