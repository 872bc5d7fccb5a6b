// The coefficients c0..c16 of one user-defined thermocouple type.
#ifndef TS4720_USERTC_H
#define TS4720_USERTC_H

#include <QGroupBox>
#include <QStringList>

class QLineEdit;

constexpr int N_USER_COEFFS = 17;

class userTC : public QGroupBox {
    Q_OBJECT
public:
    explicit userTC(int typeNumber, QWidget *parent = nullptr);

    const int typeNumber; // 1 or 2
    QLineEdit *coeffEdits[N_USER_COEFFS] = {};

    // Fills coeff and returns the edits whose text is no number (marked), one text each.
    QStringList values(double coeff[N_USER_COEFFS]);
    void setValues(const double coeff[N_USER_COEFFS]);

public slots:
    void validateValue();

private:
    // Normalises the edit's text, or marks it; returns what is wrong, empty when nothing.
    QString check(int k);
};

#endif
