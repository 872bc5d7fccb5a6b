#include "diskStatus.h"

#include "storageTexts.h"

#include <QGridLayout>
#include <QLabel>

diskStatus::diskStatus(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_total(new QLabel), m_used(new QLabel), m_free(new QLabel)
{
    auto *grid = new QGridLayout(this);
    const char *captions[] = {"Total Capacity: ", "Used Space: ", "Free Space: "};
    QLabel *values[] = {m_total, m_used, m_free};
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(new QLabel(QString::fromLatin1(captions[row])), row, 0);
        grid->addWidget(values[row], row, 1);
    }
    setCapacity(0, 0);
}

void diskStatus::setCapacity(qint64 totalKB, qint64 freeKB)
{
    const storageTexts::diskTexts texts = storageTexts::diskStatusTexts(totalKB, freeKB);
    m_total->setText(texts.total);
    m_used->setText(texts.used);
    m_free->setText(texts.free);
}

QString diskStatus::totalText() const
{
    return m_total->text();
}

QString diskStatus::usedText() const
{
    return m_used->text();
}

QString diskStatus::freeText() const
{
    return m_free->text();
}
