#pragma once

#include "CsvImport.h"

#include <QByteArray>
#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class Shell;

// File, Import...: a CSV file into the open project's part lines or a
// reference list. The user matches the file's columns to the fields, sees
// the first rows as they will be stored and every problem, and can import
// only when there is none.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(Shell& shell, QWidget* parent = nullptr);

    // Reads the file (the Browse button asks for it first).
    void load(const QString& file);
    void import();
    const CsvImport* current() const { return m_import.get(); }

private:
    void browse();
    void rebuild(); // the file read again with the separator, mapping by header
    void recheck(); // the rows checked again with the mapping as it stands
    void fillMapping();
    void fillPreview();
    ExchangeKind kind() const;

    Shell& m_shell;
    QByteArray m_bytes;
    std::unique_ptr<CsvImport> m_import;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_file = nullptr;
    QComboBox* m_separator = nullptr;
    QTableWidget* m_mapping = nullptr;
    QTableWidget* m_preview = nullptr;
    QListWidget* m_problems = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_importButton = nullptr;
    bool m_filling = false;
};
