// The module selection dialog: the tree of discovered resources and Auto Find.
#include "ts2900fp_spcSelect.h"

#include "descriptor.h"
#include "frameworkIcon.h"
#include "modelText.h"
#include "ts2900fp_genSPC.h"
#include "visa.h"
#include "waitCursor.h"

#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QPushButton>
#include <QThreadPool>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <algorithm>
#include <vector>

namespace {

const int maxParallelProbes = 128;

// Identifies every entry at once on the process-wide pool while a modal progress dialog
// runs; returns only after every probe has finished.
void identifyAll(QVector<ts2900fp_resourceEntry> &entries, ts2900fp_genSPC *spc, ViSession rm,
                 QWidget *parent)
{
    std::vector<getResourceInfo_params_t> params(size_t(entries.size()));
    QVector<getResourceInfo_params_t *> work;
    for (int i = 0; i < entries.size(); ++i) {
        params[size_t(i)].spc = spc;
        params[size_t(i)].rm = rm;
        params[size_t(i)].entry = entries.at(i);
        work.append(&params[size_t(i)]);
    }
    QThreadPool::globalInstance()->setMaxThreadCount(qMin(entries.size(), maxParallelProbes));

    QProgressDialog progress(parent);
    progress.setModal(true);
    progress.setWindowTitle(QStringLiteral("Korvan %1").arg(spc->modelText()));
    progress.setLabelText(QStringLiteral("Searching..."));
    progress.setCancelButton(nullptr);
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &progress, &QProgressDialog::reset);
    QObject::connect(&watcher, &QFutureWatcher<void>::progressRangeChanged, &progress,
                     &QProgressDialog::setRange);
    QObject::connect(&watcher, &QFutureWatcher<void>::progressValueChanged, &progress,
                     &QProgressDialog::setValue);

    QFuture<void> future = QtConcurrent::map(work, getResourceInfo);
    watcher.setFuture(future);
    // The watcher reports the end through the event loop, so a search that is already
    // over here still closes the dialog once exec() runs; skipping exec() merely saves
    // the flash of a dialog.
    if (!future.isFinished())
        progress.exec();
    // Closing the dialog early must not cut the probes short: wait for every one.
    future.waitForFinished();

    for (int i = 0; i < entries.size(); ++i)
        entries[i] = params[size_t(i)].entry;
}

} // namespace

ts2900fp_spcSelect::ts2900fp_spcSelect(ts2900fp_genSPC *spc, QWidget *parent)
    : QDialog(parent), m_spc(spc)
{
    setWindowTitle(ts2900fp_sfpTitle(spc->modelText()) + QStringLiteral(": Select Module"));
    setWindowIcon(ts2900fp_frameworkIcon());

    const int h = fontMetrics().height();
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({QStringLiteral("System"), QStringLiteral("Log Addr"),
                             QStringLiteral("Module")});
    m_tree->setMinimumSize(24 * h, 14 * h);
    m_tree->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);

    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &ts2900fp_spcSelect::dblClick);
    // OK works only on a module that can be chosen; until one is current it is greyed.
    m_ok->setEnabled(false);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        m_ok->setEnabled(item && (item->flags() & Qt::ItemIsSelectable));
    });
    connect(m_ok, &QPushButton::clicked, this, &ts2900fp_spcSelect::okPressed);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
}

int ts2900fp_spcSelect::findModules()
{
    m_tree->clear();
    int available = 0;
    ViSession rm = 0;
    if (viOpenDefaultRM(&rm) != VI_SUCCESS) {
        viClose(rm);
        return 0;
    }
    ViFindList list = 0;
    ViUInt32 count = 0;
    ViChar found[VI_FIND_BUFLEN] = {};
    if (viFindRsrc(rm, "?*INSTR", &list, &count, found) != VI_SUCCESS) {
        viClose(rm);
        return 0;
    }
    QVector<ts2900fp_resourceEntry> entries;
    while (count != 0) {
        ts2900fp_resourceEntry entry;
        entry.descriptor = QString::fromLatin1(found, int(qstrnlen(found, sizeof found)));
        entries.append(entry);
        --count;
        if (viFindNext(list, found) != VI_SUCCESS)
            break;
    }
    if (!entries.isEmpty()) {
        const waitCursor busy;
        identifyAll(entries, m_spc, rm, this);
        // Stable, so modules that compare equal keep the order VISA listed them in.
        std::stable_sort(entries.begin(), entries.end(),
                         [](const ts2900fp_resourceEntry &a, const ts2900fp_resourceEntry &b) {
                             return descriptorLessThan(a.descriptor, b.descriptor);
                         });
        fillTree(entries, available);
    }
    viClose(list);
    viClose(rm);
    return available;
}

void ts2900fp_spcSelect::fillTree(const QVector<ts2900fp_resourceEntry> &entries, int &available)
{
    QString previousKey;
    QTreeWidgetItem *group = nullptr;
    for (const ts2900fp_resourceEntry &entry : entries) {
        const QString key = descriptorGroupKey(entry.descriptor);
        // A new group row at every change of key, never merged into an earlier one; the
        // first entry always gets one, even with an empty key.
        if (!group || key != previousKey) {
            previousKey = key;
            group = new QTreeWidgetItem(m_tree, QStringList{key});
            group->setFlags(Qt::ItemIsEnabled);
            group->setExpanded(true);
        }
        if (entry.columns.isEmpty())
            continue;
        auto *module = new QTreeWidgetItem(group, entry.columns);
        module->setData(0, Qt::StatusTipRole, entry.descriptor);
        // A module that cannot be chosen is shown greyed, so it does not look like one that can.
        module->setFlags(entry.available ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
        if (!entry.available) {
            for (int column = 0; column < 3; ++column)
                module->setToolTip(column, tr("Not an available Korvan %1 module: it cannot be chosen.")
                                               .arg(m_spc->modelText()));
        }
        module->setExpanded(true);
        if (entry.available) {
            ++available;
            m_descriptor = entry.descriptor;
        }
    }
    m_tree->resizeColumnToContents(0);
    m_tree->resizeColumnToContents(1);
}

void ts2900fp_spcSelect::okPressed()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (item && (item->flags() & Qt::ItemIsSelectable)) {
        m_descriptor = item->data(0, Qt::StatusTipRole).toString();
        accept();
        return;
    }
    qDebug("%s", "Select one available motherboard and then click \"OK\" \n"
                 "or click \"Cancel\" to quit");
}

void ts2900fp_spcSelect::dblClick(QTreeWidgetItem *item)
{
    if (!item || !(item->flags() & Qt::ItemIsSelectable))
        return;
    m_tree->setCurrentItem(item);
    okPressed();
}
