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
    d_startIcon = QIcon(QStringLiteral(":/start.png"));
    d_stopIcon = QIcon(QStringLiteral(":/stop.png"));
    d_startContIcon = QIcon(QStringLiteral(":/startcont.png"));

    const int h = fontMetrics().height();
    auto *outer = new QVBoxLayout;
    outer->setSpacing(h);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *body = new QHBoxLayout;
    body->setSpacing(h);
    body->setContentsMargins(h / 2, 0, 0, h / 2);
    d_contentArea = new QWidget(this);
    // The instrument's pages take the width the window gains, not the button column.
    d_contentArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    body->addWidget(d_contentArea);
    body->addLayout(buildButtonColumn(h));
    outer->addLayout(buildHeader());
    outer->addLayout(body);
    setLayout(outer);

    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/fp_icon.png"))));
    d_contentInUse = true;
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
    d_titleLabel = new QLabel(this);
    d_titleLabel->setStyleSheet(
        QStringLiteral("QLabel { background-color: #1a2c5e; color: #ffffff; font: bold 20px}"));
    d_titleLabel->setAlignment(Qt::AlignCenter);
    d_titleLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    d_rightLogo = new QLabel(this);
    d_rightLogo->setPixmap(QPixmap(QStringLiteral(":/vxi-logo.bmp")));
    header->addWidget(makerLogo);
    header->addWidget(d_titleLabel);
    header->addWidget(d_rightLogo);
    return header;
}

QVBoxLayout *ts2900fp_app::buildButtonColumn(int h)
{
    d_buttonColumn = new QVBoxLayout;
    d_buttonColumn->setSpacing(h / 2);
    d_buttonColumn->setContentsMargins(0, 0, h / 2, h / 2);
    addStatusGroup(d_buttonColumn, h);
    d_buttonColumn->addStretch();
    addHiddenToggles(d_buttonColumn);
    d_buttonColumn->addStretch();
    addStartButtons(d_buttonColumn);
    d_buttonColumn->addStretch();
    d_resetButton = new QPushButton(QStringLiteral("Reset Device"), this);
    connect(d_resetButton, &QPushButton::clicked, this, &ts2900fp_app::resetPressed);
    d_buttonColumn->addWidget(d_resetButton);
    d_buttonColumn->addStretch();
    addCommonButtons(d_buttonColumn);
    return d_buttonColumn;
}

void ts2900fp_app::addStatusGroup(QVBoxLayout *column, int h)
{
    auto *group = new QGroupBox(this);
    auto *status = new QVBoxLayout(group);
    status->setSpacing(h);
    d_led = new ts2900fp_led(QStringLiteral("Active"), Qt::green, palette().color(QPalette::Window),
                             group);
    d_led->setWhatsThis(QStringLiteral(
        "Green light means that the Soft Front Panel works\nin Real (not Demo) mode."));
    d_moduleLabel = new QLabel(group);
    d_statusLabel = new QLabel(group);
    status->addWidget(d_led);
    status->addWidget(d_moduleLabel);
    status->addWidget(d_statusLabel);
    column->addWidget(group);
}

// Autoscale and Identify: a caption over a checkable ON/OFF button, hidden until an
// instrument panel asks for them.
void ts2900fp_app::addHiddenToggles(QVBoxLayout *column)
{
    d_autoscaleLabel = new QLabel(QStringLiteral("Autoscale"), this);
    d_autoscaleLabel->setAlignment(Qt::AlignCenter);
    d_autoscaleButton = new QPushButton(QStringLiteral("ON"), this);
    d_autoscaleButton->setCheckable(true);
    d_autoscaleButton->setChecked(true);
    const QString autoscaleHelp = QStringLiteral("Enables/disables plot autorescale feature");
    d_autoscaleButton->setToolTip(autoscaleHelp);
    d_autoscaleButton->setWhatsThis(autoscaleHelp);
    connect(d_autoscaleButton, &QPushButton::toggled, this, &ts2900fp_app::autoscaleToggledSlot);
    column->addWidget(d_autoscaleLabel);
    column->addWidget(d_autoscaleButton);
    d_autoscaleLabel->hide();
    d_autoscaleButton->hide();
    column->addStretch();

    d_identLabel = new QLabel(QStringLiteral("Identify"), this);
    d_identLabel->setAlignment(Qt::AlignCenter);
    d_identButton = new QPushButton(QStringLiteral("OFF"), this);
    d_identButton->setCheckable(true);
    const QString identHelp = QStringLiteral("Enables/disables visual identification mechanism");
    d_identButton->setToolTip(identHelp);
    d_identButton->setWhatsThis(identHelp);
    connect(d_identButton, &QPushButton::toggled, this, &ts2900fp_app::identToggledSlot);
    column->addWidget(d_identLabel);
    column->addWidget(d_identButton);
    showIdentify(false);
}

void ts2900fp_app::addStartButtons(QVBoxLayout *column)
{
    d_startButton = new QPushButton(this);
    d_startButton->setCheckable(true);
    d_startButton->setIcon(d_startIcon);
    const QString startHelp = QStringLiteral("Starts the single-shot data acquisition");
    d_startButton->setToolTip(startHelp);
    d_startButton->setWhatsThis(startHelp);
    connect(d_startButton, &QPushButton::toggled, this, &ts2900fp_app::startToggledSlot);

    d_startContButton = new QPushButton(this);
    d_startContButton->setCheckable(true);
    d_startContButton->setIcon(d_startContIcon);
    d_startContButton->setToolTip(QString::fromLatin1(repetitiveHelp));
    d_startContButton->setWhatsThis(QString::fromLatin1(repetitiveHelp));
    connect(d_startContButton, &QPushButton::toggled, this, &ts2900fp_app::startContToggledSlot);

    column->addWidget(d_startButton);
    column->addWidget(d_startContButton);
    d_startButton->hide();
    d_startContButton->hide();
}

void ts2900fp_app::addCommonButtons(QVBoxLayout *column)
{
    const QPixmap arrow(QStringLiteral(":/whatsthis.png"));
    d_helpButton = new QPushButton(this);
    d_helpButton->setIcon(QIcon(arrow));
    d_helpButton->setIconSize(arrow.size());
    d_helpButton->setWhatsThis(
        QStringLiteral("Show on-line help for Instrument Soft Front Panel components"));
    connect(d_helpButton, &QPushButton::clicked, this, &ts2900fp_app::enterWIT);

    d_aboutButton = new QPushButton(QStringLiteral("About"), this);
    d_aboutButton->setWhatsThis(QStringLiteral("Displays \"About\" panel"));

    d_closeButton = new QPushButton(QStringLiteral("Close"), this);
    d_closeButton->setWhatsThis(QStringLiteral("Close main panel and terminates program"));
    connect(d_closeButton, &QPushButton::clicked, this, &QWidget::close);

    column->addWidget(d_helpButton);
    column->addWidget(d_aboutButton);
    column->addWidget(d_closeButton);
}

void ts2900fp_app::enterWIT()
{
    QWhatsThis::enterWhatsThisMode();
}

void ts2900fp_app::userBreak()
{
    if (d_startContButton->isChecked())
        d_startContButton->toggle();
    if (d_startButton->isChecked())
        d_startButton->toggle();
    enableStart();
}

void ts2900fp_app::enableStart()
{
    d_startButton->setEnabled(true);
    d_startContButton->setEnabled(true);
}

void ts2900fp_app::autoscaleToggledSlot(bool status)
{
    d_autoscaleButton->setText(status ? QStringLiteral("ON") : QStringLiteral("OFF"));
    emit autoscaleToggled(status);
}

void ts2900fp_app::identToggledSlot(bool status)
{
    d_identButton->setText(status ? QStringLiteral("ON") : QStringLiteral("OFF"));
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
        setHelp(d_startButton, d_stopIcon, QStringLiteral("Breaks the Single-Shot Data Acquisition"));
        d_startContButton->setEnabled(false);
        emit startSingle();
        return;
    }
    setHelp(d_startButton, d_startIcon, QStringLiteral("Starts the Single-Shot Data Acquisition"));
    d_startButton->setEnabled(false);
    d_startContButton->setEnabled(false);
    emit breakSingle();
}

void ts2900fp_app::startContToggledSlot(bool status)
{
    if (status) {
        setHelp(d_startContButton, d_stopIcon, QStringLiteral("Stops the Data Acquisition process"));
        d_startButton->setEnabled(false);
        emit startCont();
        return;
    }
    setHelp(d_startContButton, d_startContIcon, QString::fromLatin1(repetitiveHelp));
    d_startButton->setEnabled(false);
    d_startContButton->setEnabled(false);
    emit stopCont();
}

void ts2900fp_app::setContentLayout(QLayout *layout)
{
    if (d_contentInUse)
        d_contentArea->setLayout(layout);
    else
        setLayout(layout);
}

void ts2900fp_app::setActive(int demo)
{
    d_led->setValue(demo ? 0 : 1);
}

void ts2900fp_app::setConnected(bool answering)
{
    d_led->setText(answering ? QStringLiteral("Active") : QStringLiteral("No connection"));
    d_led->setOnColour(answering ? QColor(Qt::green) : QColor(0xd0, 0x10, 0x10));
    d_led->setToolTip(answering ? QString()
                                : QStringLiteral("The instrument does not answer. The panel keeps trying; "
                                                 "the light turns green again when it answers."));
}

void ts2900fp_app::setModuleLabel(const QString &text, const QString &whatsThis)
{
    d_moduleLabel->setText(text);
    if (!whatsThis.isEmpty())
        d_moduleLabel->setWhatsThis(whatsThis);
}

void ts2900fp_app::setTitle(const QString &text)
{
    d_titleLabel->setText(text);
}

void ts2900fp_app::showIdentify(bool show)
{
    d_identLabel->setVisible(show);
    d_identButton->setVisible(show);
}

void ts2900fp_app::setLxiLogo(bool lxi)
{
    if (lxi)
        d_rightLogo->setPixmap(QPixmap(QStringLiteral(":/lxi-logo.bmp")));
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
