// Construction of the panel frame and its common controls.
#include "ts2900fp_app.h"

#include "frameworkResources.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "panelStyle.h"
#include "ts2900fp_About.h"
#include "ts2900fp_led.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWhatsThis>

static const char repetitiveHelp[] =
    "<html>Starts the repetitive data acquisition (or continuous data acquisition, when file "
    "storage option is turned on)</html>";

ts2900fp_app::ts2900fp_app(QWidget *parent) : QWidget(parent)
{
    ts2900fp_initResources();
    ts2900fp_applyPanelStyle();
    m_startIcon = QIcon(QStringLiteral(":/start.png"));
    m_stopIcon = QIcon(QStringLiteral(":/stop.png"));
    m_startContIcon = QIcon(QStringLiteral(":/startcont.png"));

    const int h = fontMetrics().height();
    auto *outer = new QVBoxLayout;
    outer->setSpacing(h);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *body = new QHBoxLayout;
    body->setSpacing(h);
    body->setContentsMargins(h / 2, 0, 0, h / 2);
    m_contentArea = new QWidget(this);
    // The instrument's pages take the width the window gains, not the button column.
    m_contentArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    body->addWidget(m_contentArea);
    body->addLayout(buildButtonColumn(h));
    outer->addLayout(buildHeader());
    outer->addLayout(body);
    setLayout(outer);

    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/fp_icon.png"))));
    m_contentInUse = true;
    outer->setSizeConstraint(QLayout::SetMinimumSize);
    centreOnScreen();
}

ts2900fp_app::~ts2900fp_app() = default;

QLayout *ts2900fp_app::buildHeader()
{
    auto *header = new QHBoxLayout;
    header->setSpacing(0);
    auto *makerLogo = new QLabel(this);
    makerLogo->setPixmap(QPixmap(QStringLiteral(":/tarsel-logo.bmp")));
    m_titleLabel = new QLabel(this);
    m_titleLabel->setStyleSheet(
        QStringLiteral("QLabel { background-color: #1a2c5e; color: #ffffff; font: bold 20px}"));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_titleLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_rightLogo = new QLabel(this);
    m_rightLogo->setPixmap(QPixmap(QStringLiteral(":/vxi-logo.bmp")));
    header->addWidget(makerLogo);
    header->addWidget(m_titleLabel);
    header->addWidget(m_rightLogo);
    return header;
}

QVBoxLayout *ts2900fp_app::buildButtonColumn(int h)
{
    m_buttonColumn = new QVBoxLayout;
    m_buttonColumn->setSpacing(h / 2);
    m_buttonColumn->setContentsMargins(0, 0, h / 2, h / 2);
    addStatusGroup(m_buttonColumn, h);
    m_buttonColumn->addStretch();
    addHiddenToggles(m_buttonColumn);
    m_buttonColumn->addStretch();
    addStartButtons(m_buttonColumn);
    m_buttonColumn->addStretch();
    m_resetButton = new QPushButton(QStringLiteral("Reset Device"), this);
    connect(m_resetButton, &QPushButton::clicked, this, &ts2900fp_app::resetPressed);
    m_buttonColumn->addWidget(m_resetButton);
    m_buttonColumn->addStretch();
    addCommonButtons(m_buttonColumn);
    return m_buttonColumn;
}

void ts2900fp_app::addStatusGroup(QVBoxLayout *column, int h)
{
    auto *group = new QGroupBox(this);
    auto *status = new QVBoxLayout(group);
    status->setSpacing(h);
    m_led = new ts2900fp_led(QStringLiteral("Active"), Qt::green, palette().color(QPalette::Window),
                             group);
    m_led->setWhatsThis(QStringLiteral(
        "Green light means that the Soft Front Panel works\nin Real (not Demo) mode."));
    m_moduleLabel = new QLabel(group);
    m_statusLabel = new QLabel(group);
    status->addWidget(m_led);
    status->addWidget(m_moduleLabel);
    status->addWidget(m_statusLabel);
    column->addWidget(group);
}

// Autoscale and Identify: a caption over a checkable ON/OFF button, hidden until an
// instrument panel asks for them.
void ts2900fp_app::addHiddenToggles(QVBoxLayout *column)
{
    m_autoscaleLabel = new QLabel(QStringLiteral("Autoscale"), this);
    m_autoscaleLabel->setAlignment(Qt::AlignCenter);
    m_autoscaleButton = new QPushButton(QStringLiteral("ON"), this);
    m_autoscaleButton->setCheckable(true);
    m_autoscaleButton->setChecked(true);
    const QString autoscaleHelp = QStringLiteral("Enables/disables plot autorescale feature");
    m_autoscaleButton->setToolTip(autoscaleHelp);
    m_autoscaleButton->setWhatsThis(autoscaleHelp);
    connect(m_autoscaleButton, &QPushButton::toggled, this, &ts2900fp_app::autoscaleToggledSlot);
    column->addWidget(m_autoscaleLabel);
    column->addWidget(m_autoscaleButton);
    m_autoscaleLabel->hide();
    m_autoscaleButton->hide();
    column->addStretch();

    m_identLabel = new QLabel(QStringLiteral("Identify"), this);
    m_identLabel->setAlignment(Qt::AlignCenter);
    m_identButton = new QPushButton(QStringLiteral("OFF"), this);
    m_identButton->setCheckable(true);
    const QString identHelp = QStringLiteral("Enables/disables visual identification mechanism");
    m_identButton->setToolTip(identHelp);
    m_identButton->setWhatsThis(identHelp);
    connect(m_identButton, &QPushButton::toggled, this, &ts2900fp_app::identToggledSlot);
    column->addWidget(m_identLabel);
    column->addWidget(m_identButton);
    showIdentify(false);
}

void ts2900fp_app::addStartButtons(QVBoxLayout *column)
{
    m_startButton = new QPushButton(this);
    m_startButton->setCheckable(true);
    m_startButton->setIcon(m_startIcon);
    const QString startHelp = QStringLiteral("Starts the single-shot data acquisition");
    m_startButton->setToolTip(startHelp);
    m_startButton->setWhatsThis(startHelp);
    connect(m_startButton, &QPushButton::toggled, this, &ts2900fp_app::startToggledSlot);

    m_startContButton = new QPushButton(this);
    m_startContButton->setCheckable(true);
    m_startContButton->setIcon(m_startContIcon);
    m_startContButton->setToolTip(QString::fromLatin1(repetitiveHelp));
    m_startContButton->setWhatsThis(QString::fromLatin1(repetitiveHelp));
    connect(m_startContButton, &QPushButton::toggled, this, &ts2900fp_app::startContToggledSlot);

    column->addWidget(m_startButton);
    column->addWidget(m_startContButton);
    m_startButton->hide();
    m_startContButton->hide();
}

void ts2900fp_app::addCommonButtons(QVBoxLayout *column)
{
    const QPixmap arrow(QStringLiteral(":/whatsthis.png"));
    m_helpButton = new QPushButton(this);
    m_helpButton->setIcon(QIcon(arrow));
    m_helpButton->setIconSize(arrow.size());
    m_helpButton->setWhatsThis(
        QStringLiteral("Show on-line help for Instrument Soft Front Panel components"));
    connect(m_helpButton, &QPushButton::clicked, this, &ts2900fp_app::enterWIT);

    m_aboutButton = new QPushButton(QStringLiteral("About"), this);
    m_aboutButton->setWhatsThis(QStringLiteral("Displays \"About\" panel"));

    m_closeButton = new QPushButton(QStringLiteral("Close"), this);
    m_closeButton->setWhatsThis(QStringLiteral("Close main panel and terminates program"));
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);

    column->addWidget(m_helpButton);
    column->addWidget(m_aboutButton);
    column->addWidget(m_closeButton);
}

void ts2900fp_app::enterWIT()
{
    QWhatsThis::enterWhatsThisMode();
}

void ts2900fp_app::userBreak()
{
    if (m_startContButton->isChecked())
        m_startContButton->toggle();
    if (m_startButton->isChecked())
        m_startButton->toggle();
    enableStart();
}

void ts2900fp_app::enableStart()
{
    m_startButton->setEnabled(true);
    m_startContButton->setEnabled(true);
}

void ts2900fp_app::autoscaleToggledSlot(bool status)
{
    m_autoscaleButton->setText(status ? QStringLiteral("ON") : QStringLiteral("OFF"));
    emit autoscaleToggled(status);
}

void ts2900fp_app::identToggledSlot(bool status)
{
    m_identButton->setText(status ? QStringLiteral("ON") : QStringLiteral("OFF"));
    emit identToggled(status);
}

static void setHelp(QPushButton *button, const QIcon &icon, const QString &help)
{
    button->setIcon(icon);
    button->setWhatsThis(help);
    button->setToolTip(help);
}

// While a single shot runs its button shows the red square and breaks it; when it ends
// both buttons stay disabled until the panel calls enableStart() or userBreak().
void ts2900fp_app::startToggledSlot(bool status)
{
    if (status) {
        setHelp(m_startButton, m_stopIcon, QStringLiteral("Breaks the Single-Shot Data Acquisition"));
        m_startContButton->setEnabled(false);
        emit startSingle();
        return;
    }
    setHelp(m_startButton, m_startIcon, QStringLiteral("Starts the Single-Shot Data Acquisition"));
    m_startButton->setEnabled(false);
    m_startContButton->setEnabled(false);
    emit breakSingle();
}

void ts2900fp_app::startContToggledSlot(bool status)
{
    if (status) {
        setHelp(m_startContButton, m_stopIcon, QStringLiteral("Stops the Data Acquisition process"));
        m_startButton->setEnabled(false);
        emit startCont();
        return;
    }
    setHelp(m_startContButton, m_startContIcon, QString::fromLatin1(repetitiveHelp));
    m_startButton->setEnabled(false);
    m_startContButton->setEnabled(false);
    emit stopCont();
}

void ts2900fp_app::setContentLayout(QLayout *layout)
{
    if (m_contentInUse)
        m_contentArea->setLayout(layout);
    else
        setLayout(layout);
}

void ts2900fp_app::setActive(int demo)
{
    m_led->setValue(demo ? 0 : 1);
}

void ts2900fp_app::setConnected(bool answering)
{
    m_led->setText(answering ? QStringLiteral("Active") : QStringLiteral("No connection"));
    m_led->setOnColour(answering ? QColor(Qt::green) : QColor(0xd0, 0x10, 0x10));
    m_led->setToolTip(answering ? QString()
                                : QStringLiteral("The instrument does not answer. The panel keeps trying; "
                                                 "the light turns green again when it answers."));
}

void ts2900fp_app::setReconnecting(int secondsLeft)
{
    m_led->setText(QStringLiteral("Reconnecting (%1 s)").arg(secondsLeft));
    m_led->setOnColour(QColor(0xe0, 0x90, 0x00));
    m_led->setToolTip(QStringLiteral("The connection to the instrument was lost during the acquisition. The "
                                     "panel reconnects and the recording goes on without a gap, if the "
                                     "connection is back within the time shown."));
}

void ts2900fp_app::setModuleLabel(const QString &text, const QString &whatsThis)
{
    m_moduleLabel->setText(text);
    if (!whatsThis.isEmpty())
        m_moduleLabel->setWhatsThis(whatsThis);
}

void ts2900fp_app::setTitle(const QString &text)
{
    m_titleLabel->setText(text);
}

void ts2900fp_app::showIdentify(bool show)
{
    m_identLabel->setVisible(show);
    m_identButton->setVisible(show);
}

void ts2900fp_app::setLxiLogo(bool lxi)
{
    if (lxi)
        m_rightLogo->setPixmap(QPixmap(QStringLiteral(":/lxi-logo.bmp")));
}

void ts2900fp_app::centreOnScreen()
{
    centreOnScreen(this);
}

void ts2900fp_app::centreOnScreen(QWidget *window)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return;
    const QRect available = screens.first()->availableGeometry();
    window->move((available.width() - window->width()) / 2, (available.height() - window->height()) / 2);
}

void ts2900fp_app::closeEvent(QCloseEvent *event)
{
    const QMessageBox::StandardButton answer =
        messageBoxes::question(QApplication::activeWindow(), ts2900fp_sfpTitle(),
                               QStringLiteral("Do you really want to exit?"),
                               QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        event->accept();
    else
        event->ignore();
}
