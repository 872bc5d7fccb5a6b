// The store-to-file dialog.
#include "acqConfig.h"

#include "messageBoxes.h"
#include "standardDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Korvan 4720 SFP");
}

acqConfig::acqConfig(QWidget *mainPanel)
    : QDialog(mainPanel)
{
    setWindowTitle(QStringLiteral("Store to Local Hard Drive"));
    setModal(true);
    if (mainPanel)
        setWindowIcon(mainPanel->windowIcon());
    path = new QLineEdit(QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/data.csv"));
    path->setMinimumWidth(300);
    format = new QComboBox;
    format->addItem(QStringLiteral("Text, CSV"), 0);
    information = new QLabel;
    auto *browse = new QPushButton(QStringLiteral("Browse"));
    auto *start = new QPushButton(QStringLiteral("Start"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(path);
    pathRow->addWidget(browse);
    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(new QLabel(QStringLiteral("Data Format")));
    formatRow->addWidget(format);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(information);
    buttons->addSpacing(20);
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addLayout(formatRow);
    layout->addLayout(buttons);

    connect(start, &QPushButton::clicked, this, &acqConfig::acceptMaybe);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &acqConfig::browseSlot);
    connect(format, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] {
        setDataRate();
        checkPath();
    });
}

QString acqConfig::filePath() const
{
    return QDir::fromNativeSeparators(path->text());
}

void acqConfig::setDataRate(int)
{
}

void acqConfig::setDataRate()
{
}

bool acqConfig::checkPath(bool moreChecks)
{
    const QString text = filePath();
    if (text.isEmpty())
        return true;
    const QFileInfo file(text);
    if (!file.absoluteDir().exists()) {
        if (!moreChecks)
            return true;
        messageBoxes::critical(this, kTitle, QStringLiteral("Directory: \"%1\" does not exist.")
                                                 .arg(QDir::toNativeSeparators(file.absolutePath())));
        return false;
    }
    if (format->currentIndex() == 0 && file.suffix().toLower() != QLatin1String("csv")) {
        const QString changed = file.absolutePath() + "/" + file.baseName() + ".csv";
        const QSignalBlocker blocker(path);
        path->setText(QDir::toNativeSeparators(changed));
        if (moreChecks)
            messageBoxes::information(this, kTitle, QStringLiteral("File extension changed to '.csv'."));
    }
    if (moreChecks && QFileInfo::exists(filePath()))
        return messageBoxes::question(this, kTitle, QStringLiteral("File already exists, overwrite?"))
               == QMessageBox::Yes;
    return true;
}

bool acqConfig::checkPath()
{
    return checkPath(false);
}

void acqConfig::acceptMaybe()
{
    if (checkPath(true))
        accept();
    else
        reject();
}

void acqConfig::browseSlot()
{
    QString filter = QStringLiteral("CSV data (*.csv)");
    const QString chosen = standardDialogs::saveFileName(this, QStringLiteral("Set Output File Name"), filePath(),
                                                         filter, &filter);
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().toLower() == QLatin1String("csv"))
        format->setCurrentIndex(0);
    path->setText(QDir::toNativeSeparators(chosen));
}
