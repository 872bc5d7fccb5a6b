#include "ts4720fp_demoSubtypeSelect.h"

#include "demoStore.h"
#include "modelTable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ts4720fp_demoSubtypeSelect::ts4720fp_demoSubtypeSelect(QWidget *parent)
    : QDialog(parent), m_model(new QComboBox(this))
{
    for (const modelTable::model &m : modelTable::models)
        m_model->addItem(QStringLiteral("Korvan 4720-%1").arg(m.subType), QString::fromLatin1(m.subType));

    auto *ok = new QPushButton("Ok", this);
    connect(ok, &QPushButton::clicked, this, &ts4720fp_demoSubtypeSelect::okPressed);

    auto *modelRow = new QHBoxLayout;
    modelRow->addWidget(new QLabel("Model:", this));
    modelRow->addWidget(m_model);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(modelRow);
    layout->addLayout(buttonRow);

    // An index outside the list leaves no current entry, as the store asked for.
    m_model->setCurrentIndex(demoStore::lastModel());
}

namespace {
ts4720fp_demoSubtypeSelect::Handler &handler()
{
    static ts4720fp_demoSubtypeSelect::Handler h;
    return h;
}
} // namespace

void ts4720fp_demoSubtypeSelect::setHandler(Handler h)
{
    handler() = std::move(h);
}

int ts4720fp_demoSubtypeSelect::run()
{
    return handler() ? handler()(this) : exec();
}

QString ts4720fp_demoSubtypeSelect::subType() const
{
    return m_model->currentData().toString();
}

void ts4720fp_demoSubtypeSelect::okPressed()
{
    demoStore::setLastModel(m_model->currentIndex());
    accept();
}
