#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class Shell;

// "Program Options": reopen the last project at start-up, the sales-tax
// percentage and the web browser. OK stores all three; closing another way
// after a change asks whether to store them.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(Shell& shell, QWidget* parent = nullptr);

    // "Y" after any edit since loading or storing, "N" otherwise.
    const QString& changeFlag() const { return m_changed; }

    // OK: stores the three settings and closes.
    void storeOptions();

public Q_SLOTS:
    void reject() override;

private:
    void build();
    void load();
    void markChanged() { m_changed = QStringLiteral("Y"); }

    Shell& m_shell;
    QString m_changed = QStringLiteral("N");
    QTabWidget* m_tabs = nullptr;
    QCheckBox* m_openLast = nullptr;
    QLineEdit* m_tax = nullptr;
    QRadioButton* m_optIE = nullptr;
    QRadioButton* m_optRSL = nullptr;
    QCheckBox* m_autoBackup = nullptr;
    QSpinBox* m_backupsKept = nullptr;
};
