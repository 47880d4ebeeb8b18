#pragma once

#include "DbResult.h"
#include "PartLine.h"

#include <QWidget>

class FormattedEdit;
class MaskedDateEdit;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class RecordSet;
class ReferenceLists;
class Shell;

// One entry panel of the worksheet: the fields of a part line, the cost
// arithmetic, the status ladder, the purchase date and the drop-down lists.
// The worksheet has two, index 0 (Part Detail) and 1 (Add New Part), with the
// same control names; each panel is a container named "panel0" or "panel1".
// Every change the user could make is reported through edited(), the
// worksheet's pending-changes flag.
class EntryPanel : public QWidget {
    Q_OBJECT
public:
    EntryPanel(Shell& shell, ReferenceLists& lists, int index, QWidget* parent = nullptr);

    int index() const { return m_index; }

    void calcamount();
    void checkboxes();
    void calcdate();
    // Shows the catalogue's category for the part name; `error` gets the
    // lookup's failure, which leaves the category empty.
    void getcategory(DbResult* error = nullptr);
    void reloadparts();
    void reloadmanufacturers();
    void reloadvendors();
    void reloadcategories();

    // The field values of a reset panel: texts empty, numbers and amounts "0";
    // the date controls hidden unless told otherwise.
    void resetFields(bool hideDateControls = true);
    void reloadLists();
    // Clears Selected, Purchased, Forecast and Taxable, in this order.
    void clearStatusBoxes();
    // Loads the current row of the record set; a column without a value
    // leaves its field as it is. Returns the line's part name and sequence
    // number as loaded.
    void load(RecordSet& lines, QString* loadedName, QString* loadedSequence);

    // First of the common checks: the names in upper case, the category
    // looked up again for the name as it now reads. Returns that lookup's
    // failure, so that an empty category is not taken for an unknown part.
    DbResult upperCaseNames();
    PartLine line() const;
    void setPartName(const QString& name);

    QComboBox* partNameBox() const { return m_partName; }

Q_SIGNALS:
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void purchaseDateSwitch();
    void costInputChanged();
    void setDateControlsVisible(bool visible);
    void setCategoryText(const QString& text);
    static void fill(QComboBox* box, const QStringList& items);

    Shell& m_shell;
    ReferenceLists& m_lists;
    int m_index;
    bool m_loading = false;
    // Whether leaving an amount field recomputes tax and total: a new line's
    // do, a loaded line's only after the user changed quantity, price,
    // shipping or Taxable.
    bool m_costInputsChanged = true;
    bool m_overflowReported = false;

    QComboBox* m_partName = nullptr;
    QComboBox* m_category = nullptr;
    QLineEdit* m_partNumber = nullptr;
    QComboBox* m_manufacturer = nullptr;
    QComboBox* m_vendor = nullptr;
    FormattedEdit* m_quantity = nullptr;
    FormattedEdit* m_price = nullptr;
    FormattedEdit* m_shipping = nullptr;
    FormattedEdit* m_tax = nullptr;
    FormattedEdit* m_total = nullptr;
    QCheckBox* m_taxable = nullptr;
    QCheckBox* m_selected = nullptr;
    QCheckBox* m_forecast = nullptr;
    QCheckBox* m_purchased = nullptr;
    QLabel* m_dateLabel = nullptr;
    MaskedDateEdit* m_date = nullptr;
    QDateEdit* m_picker = nullptr;
    QPlainTextEdit* m_notes = nullptr;
};
