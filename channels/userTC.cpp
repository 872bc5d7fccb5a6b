// One user thermocouple group: a label and an edit per coefficient.
#include "userTC.h"

#include "channelTexts.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

userTC::userTC(int type, QWidget *parent)
    : QGroupBox(QStringLiteral("\"User %1\" Thermocouple Coefficients").arg(type), parent), typeNumber(type)
{
    auto *grid = new QGridLayout(this);
    // Room for the 23 characters of the coefficient format and a little more.
    const int editWidth = 26 * QFontMetrics(font()).horizontalAdvance(QLatin1Char('0'));
    for (int k = 0; k < N_USER_COEFFS; ++k) {
        auto *label = new QLabel(QStringLiteral("c<sub>%1</sub>").arg(k));
        label->setTextFormat(Qt::RichText);
        coeffEdits[k] = new QLineEdit;
        coeffEdits[k]->setFixedWidth(editWidth);
        grid->addWidget(label, k, 0);
        grid->addWidget(coeffEdits[k], k, 1);
        connect(coeffEdits[k], &QLineEdit::editingFinished, this, &userTC::validateValue);
    }
}

void userTC::values(double coeff[N_USER_COEFFS]) const
{
    for (int k = 0; k < N_USER_COEFFS; ++k)
        coeff[k] = coefficientValue(coeffEdits[k]->text());
}

void userTC::setValues(const double coeff[N_USER_COEFFS])
{
    for (int k = 0; k < N_USER_COEFFS; ++k)
        coeffEdits[k]->setText(coefficientText(coeff[k]));
}

void userTC::validateValue()
{
    auto *edit = qobject_cast<QLineEdit *>(sender());
    if (edit)
        edit->setText(coefficientText(coefficientValue(edit->text())));
}
