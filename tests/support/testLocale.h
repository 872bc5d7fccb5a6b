// Switches the process to a locale a user may have (Qt applies the user's locale at start-up),
// so that tests see what a number or keyword turns into there.
#ifndef TS4720_TESTLOCALE_H
#define TS4720_TESTLOCALE_H

#include <QString>
#include <QTemporaryDir>

enum class TestLocale {
    DecimalComma, // German: printf("%.1f", 1.5) gives "1,5"
    Turkish,      // also a decimal comma, and toupper('i') is not 'I'
};

// Sets LC_ALL to such a locale: an installed one, else one built with localedef into dir.
// Returns an empty string on success, else why it was not possible (the C locale is kept).
QString useTestLocale(const QTemporaryDir &dir, TestLocale which);
void useCLocale();

// For a test's initTestCase_data(): a column "locale" with the rows "C", "decimal comma" and
// "Turkish", so that every test function runs under each. Its init() calls useLocaleOfRow,
// which fails the test function when the locale cannot be had; its cleanup() useCLocale().
void addLocaleRows();
void useLocaleOfRow(const QTemporaryDir &dir);

#endif
