#pragma once

#include <QDate>
#include <QString>

// The purchase date as the worksheet writes and reads it: "MM/DD/YYYY".
class PurchaseDate {
public:
    // calcdate: the date field's text for a picker date (03/05/2001 for 5 March 2001).
    static QString calcdate(const QDate& date);
    // Reads a field text as month/day/year; an invalid QDate when it is not a date.
    static QDate parse(const QString& text);
    // The picker date of a stored line: month from characters 1-2, day from
    // 4-5, year from 7-10. Invalid when those do not make a date.
    static QDate fromStored(const QString& stored);
    // What a line marked purchased holds as its date: nothing (no digit
    // typed, or the picker's empty date "01/01/0001"), something that is not
    // a whole calendar date (02/30/2025, 00/00/0000, half typed), or a date.
    enum class Entry { Missing, Invalid, Valid };
    static Entry classify(const QString& text);
};
