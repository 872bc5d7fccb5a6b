// The enter-address dialog and its list of remembered descriptors.
#include "ts2900fp_spcEnterAddress.h"

#include "frameworkIcon.h"
#include "modelText.h"
#include "ts2900fp_genSPC.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

const int rememberedCount = 5;
const char defaultDescriptor[] = "TCPIP::192.168.2.60::INSTR";

QString keyOf(int n)
{
    return QStringLiteral("%1.Descriptor").arg(n);
}

} // namespace

QString ts2900fp_spcEnterAddress::defaultSettingsPath()
{
    QString base = qEnvironmentVariable("ALLUSERSPROFILE");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir::fromNativeSeparators(base) + QStringLiteral("/Tarsel/DefaultInstrDescr.ini");
}

ts2900fp_spcEnterAddress::ts2900fp_spcEnterAddress(ts2900fp_genSPC *spc, QWidget *parent)
    : QDialog(parent), m_group(spc->modelText()), m_settingsPath(defaultSettingsPath())
{
    setWindowTitle(ts2900fp_sfpTitle(spc->modelText()) + QStringLiteral(": Enter Module Address"));
    setWindowIcon(ts2900fp_frameworkIcon());

    m_combo = new QComboBox(this);
    m_combo->setEditable(true);
    m_combo->setMinimumWidth(18 * fontMetrics().height());
    m_combo->setToolTip(tr("Enter the Instrument descriptor for the Module you want to connect "
                           "to.<br>Examples:<br><b>VXI0::1::INSTR</b> - VXI mainframe 0, Module "
                           "with Logical Address 1<br><b>TCPIP::192.168.2.60::INSTR</b> - "
                           "Network Instrument with IP Address 192.168.2.60"));

    auto *entryRow = new QHBoxLayout;
    entryRow->addWidget(new QLabel(QStringLiteral("Instrument Descriptor:"), this));
    entryRow->addWidget(m_combo);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok);
    buttonRow->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entryRow);
    layout->addLayout(buttonRow);
}

void ts2900fp_spcEnterAddress::loadDescriptors()
{
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.beginGroup(m_group);
    m_combo->clear();
    m_remembered.clear();
    for (int n = 1; n <= rememberedCount; ++n)
        m_remembered.append(settings.value(keyOf(n)).toString());
    m_remembered.removeAll(QString());
    m_combo->addItems(m_remembered);
    // Nothing remembered: offer the usual factory address. A key 1 that is present but
    // empty offers it too, so the box never starts out blank.
    if (m_combo->currentText().isEmpty())
        m_combo->addItem(QString::fromLatin1(defaultDescriptor));
    settings.endGroup();
}

QString ts2900fp_spcEnterAddress::takeDescriptor()
{
    return m_combo->currentText().trimmed();
}

void ts2900fp_spcEnterAddress::rememberDescriptor(const QString &descriptor)
{
    if (descriptor.isEmpty())
        return;
    const int previous = m_remembered.indexOf(descriptor);
    if (previous >= 0)
        m_remembered.removeAt(previous);
    m_remembered.prepend(descriptor);
    if (m_remembered.size() > rememberedCount)
        m_remembered.removeLast();

    // A file that cannot be written only loses the new order; the entry is still used.
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.beginGroup(m_group);
    for (int n = 1; n <= rememberedCount; ++n)
        settings.setValue(keyOf(n), n <= m_remembered.size() ? m_remembered.at(n - 1) : QString());
    settings.endGroup();
    settings.sync();
}
