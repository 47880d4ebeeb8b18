#pragma once

#include <QString>

// What an entry panel holds for one part line, as the fields read: names
// already upper-cased by the common checks, numbers as their field texts.
struct PartLine {
    QString partName;
    QString category;
    QString partNumber;
    QString manufacturer;
    QString vendor;
    QString quantity;
    QString price;
    QString taxAmount;
    QString shipping;
    QString totalCost;
    QString notes;
    bool taxable = false;
    bool selected = false;
    bool forecast = false;
    bool purchased = false;
    QString purchaseDate;
};
