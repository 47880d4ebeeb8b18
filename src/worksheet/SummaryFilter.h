#pragma once

#include <QString>
#include <QVariantList>

// The summary filter of the worksheet: which part lines of the open project
// the grid shows, by category, manufacturer, vendor and highest status, and
// the sentence that describes it in the status bar.
class SummaryFilter {
public:
    enum class Status { All, Selected, Forecasted, Purchased };

    static inline const QString kAllCategories = QStringLiteral("(ALL CATEGORIES)");
    static inline const QString kAllVendors = QStringLiteral("(ALL VENDORS)");
    static inline const QString kAllManufacturers = QStringLiteral("(ALL MANUFACTURERS)");

    QString category = kAllCategories;
    QString vendor = kAllVendors;
    QString manufacturer = kAllManufacturers;
    Status status = Status::All;

    bool isDefault() const;

    // applyfilter's criteria for the project whose number text is given:
    // the status part first, then category, manufacturer and vendor.
    QString criteria(const QString& vehiclenumbera) const;
    // The same selection as an SQL condition over RSLMaster, values bound.
    QString sqlCondition(int project, QVariantList* binds) const;
    // showfilterstatus's text.
    QString description() const;

    // The criteria that pick one part line by its key.
    static QString lineCriteria(const QString& partName, const QString& sequenceNumber);
};
