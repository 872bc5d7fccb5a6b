// One user thermocouple group: a label and an edit per coefficient.
#include "userTC.h"

#include "channelTexts.h"
#include "fieldMark.h"

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

QStringList userTC::values(double coeff[N_USER_COEFFS])
{
    QStringList problems;
    for (int k = 0; k < N_USER_COEFFS; ++k) {
        const QString problem = check(k);
        if (!problem.isEmpty())
            problems << problem;
        coeff[k] = coefficientValue(coeffEdits[k]->text());
    }
    return problems;
}

void userTC::setValues(const double coeff[N_USER_COEFFS])
{
    for (int k = 0; k < N_USER_COEFFS; ++k) {
        coeffEdits[k]->setText(coefficientText(coeff[k]));
        markField(coeffEdits[k], QString());
    }
}

void userTC::validateValue()
{
    for (int k = 0; k < N_USER_COEFFS; ++k) {
        if (coeffEdits[k] == sender())
            check(k);
    }
}

QString userTC::check(int k)
{
    QLineEdit *edit = coeffEdits[k];
    double value = 0.0;
    if (parseTypedNumber(edit->text(), &value)) {
        edit->setText(coefficientText(value));
        markField(edit, QString());
        return QString();
    }
    const QString problem = QStringLiteral("User %1 c%2: \"%3\" is not a number.").arg(typeNumber).arg(k).arg(edit->text());
    markField(edit, problem + QStringLiteral(" Type a number such as 2.5, 2,5 or -1.25e-3. Save sends nothing "
                                             "until this is corrected."));
    return problem;
}
