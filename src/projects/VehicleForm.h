#pragma once

#include "Money.h"

#include <optional>

#include "ProjectRecord.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

// The vehicle, budget and picture fields the catalogue's New Project tab and
// the edit window share: three titled frames holding the named controls.
class Toolkit;

class VehicleForm : public QWidget {
    Q_OBJECT
public:
    // The picture frame's title and the vehicle frame's button differ
    // between the two windows.
    VehicleForm(const QString& pictureTitle, const QString& actionCaption,
                const QString& actionName, QWidget* parent = nullptr);

    QComboBox* year() const { return m_year; }
    QComboBox* make() const { return m_make; }
    QComboBox* model() const { return m_model; }
    QPushButton* action() const { return m_action; }
    QLineEdit* total() const { return m_total; }
    QPushButton* budgetButton() const { return m_budget; }
    QLineEdit* picture() const { return m_picture; }
    QPushButton* searchButton() const { return m_search; }

    // 1900 to 3000, ascending.
    static QStringList years();
    // Replaces a list and keeps the typed text: filling a list never chooses
    // an entry by itself.
    static void fillKeepingText(QComboBox* combo, const QStringList& items);
    // The model list of a make that changed: the typed model goes with it.
    void replaceModels(const QStringList& models);

    // addedit: the checks of the vehicle and its budget total, in order, each
    // failure told through the toolkit. Writes the total into the box.
    bool addedit(Toolkit& toolkit, const std::optional<Money>& total);

    void clearInputs();
    void upperCaseMakeAndModel();
    ProjectInput input() const;

Q_SIGNALS:
    // The user (or the program) changed an input, or clicked in the picture box.
    void edited();
    // The make was typed or chosen.
    void makeChanged(const QString& make);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* m_year = nullptr;
    QComboBox* m_make = nullptr;
    QComboBox* m_model = nullptr;
    QPushButton* m_action = nullptr;
    QLineEdit* m_total = nullptr;
    QPushButton* m_budget = nullptr;
    QLineEdit* m_picture = nullptr;
    QPushButton* m_search = nullptr;
};
