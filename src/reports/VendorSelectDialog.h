#pragma once

#include <QDialog>

class QListWidget;
class Shell;

// frmVendorselect: asks which vendor the shopping list is for, then opens
// the list and closes itself.
class VendorSelectDialog : public QDialog {
    Q_OBJECT
public:
    explicit VendorSelectDialog(Shell& shell, QWidget* parent = nullptr);

    // cmdSelect (and a double-click in lstVendor).
    void select();

private:
    Shell& m_shell;
    QListWidget* m_vendors = nullptr;
};
