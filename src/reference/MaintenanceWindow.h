#pragma once

#include "CategoryList.h"
#include "ChildWindow.h"
#include "ContactBook.h"
#include "PartCatalogue.h"

#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QuoteKeyFilter;
class Shell;
class SimpleComboBox;

// The Maintenance window (frmNewother): one tab each for the parts catalogue,
// the vendors, the manufacturers and the categories. The main window creates
// it, calls selectTab() and shows it; every activation reloads the lists and
// takes up a part the worksheet asked for.
class MaintenanceWindow : public ChildWindow {
    Q_OBJECT
public:
    enum Tab { PartsTab = 0, VendorsTab = 1, ManufacturersTab = 2, CategoriesTab = 3 };

    explicit MaintenanceWindow(Shell& shell, QWidget* parent = nullptr);

    // Makes a tab current as a click on it would (with the unsaved-input
    // question).
    void selectTab(int tab) override;
    int currentTab() const;
    void activated() override;

    void loadlists();
    void loadpartlist();
    void loadvendorlist();
    void loadmanufacturerlist();
    void loadcategorylist();

    bool hasPendingChanges() const { return m_pending; }
    // The entry last clicked on a tab's list: the old name for Change.
    QString rememberedEntry(int tab) const { return m_remembered.at(tab); }

protected:
    bool queryClose() override;
    void unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ContactTab {
        ContactBook* book = nullptr;
        int tab = 0;
        SimpleComboBox* name = nullptr;
        QLineEdit* address = nullptr;
        QLineEdit* phone = nullptr;
        QLineEdit* webSite = nullptr;
        QCheckBox* orderCatalog = nullptr; // vendors only
        QPushButton* add = nullptr;
        QPushButton* change = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* website = nullptr;
        QString emptyListMessage;
        QString emptyWebSiteMessage;
    };

    QWidget* buildPartsTab();
    QWidget* buildContactTab(ContactTab& t, const QString& noun, const QString& prefix);
    QWidget* buildCategoriesTab();
    QFrame* addFrame(QWidget* page);
    QLabel* addLabel(QWidget* frame, const QString& text, int top);
    QPushButton* addButton(QWidget* frame, const QString& name, const QString& text, int left,
                           int top);
    void placeFrames();
    // A rectangle given in twips, in pixels at this window's scale.
    QRect scaled(int left, int top, int width, int height) const;

    void onTabChanged(int index);
    void setTabIcon();
    void disableChangeButtons();
    void markPending() { m_pending = true; }
    void inform(const QString& text);
    void closeWorksheet();
    void handBack();
    static QString upperCase(QLineEdit* field);
    QString upperCaseCategory();

    void partEntryClicked();
    void cmdAdd_Click();
    void cmdchange_Click();
    void cmdDelete_Click();

    void loadcontactlist(ContactTab& t);
    void contactEntryClicked(ContactTab& t);
    Contact contactFields(ContactTab& t);
    void contactAdd(ContactTab& t);
    void contactChange(ContactTab& t);
    void contactDelete(ContactTab& t);
    void contactWebsite(ContactTab& t);

    void categoryEntryClicked();
    void cmdadd4_Click();
    void cmdchange4_Click();
    void cmddelete4_Click();

    Shell& m_shell;
    PartCatalogue m_parts;
    ContactBook m_vendorBook;
    ContactBook m_manufacturerBook;
    CategoryList m_categories;

    QTabWidget* m_tabs = nullptr;
    QuoteKeyFilter* m_keyFilter = nullptr;
    QList<QFrame*> m_frames;

    SimpleComboBox* m_partName = nullptr;
    QComboBox* m_partCategory = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdchange = nullptr;
    QPushButton* m_cmdDelete = nullptr;

    ContactTab m_vendors;
    ContactTab m_manufacturers;

    SimpleComboBox* m_categoryName = nullptr;
    QPushButton* m_cmdadd4 = nullptr;
    QPushButton* m_cmdchange4 = nullptr;
    QPushButton* m_cmddelete4 = nullptr;

    double m_scale = 1.0;
    bool m_pending = false;
    bool m_tabGuard = false;
    int m_currentTab = 0;
    std::array<QString, 4> m_remembered;
};
