// The coefficients c0..c16 of one user-defined thermocouple type.
#ifndef TS4720_USERTC_H
#define TS4720_USERTC_H

#include <QGroupBox>

class QLineEdit;

constexpr int N_USER_COEFFS = 17;

class userTC : public QGroupBox {
    Q_OBJECT
public:
    explicit userTC(int typeNumber, QWidget *parent = nullptr);

    const int typeNumber; // 1 or 2
    QLineEdit *coeffEdits[N_USER_COEFFS] = {};

    void values(double coeff[N_USER_COEFFS]) const;
    void setValues(const double coeff[N_USER_COEFFS]);

public slots:
    void validateValue();
};

#endif
