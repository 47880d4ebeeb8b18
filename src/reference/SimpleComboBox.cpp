#include "SimpleComboBox.h"

#include "ListRows.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <functional>

namespace {

// Reports a move of the current row made with the keyboard. Other moves (the
// row the view picks when it gets the focus, a mouse press) choose nothing.
// Knows whether the keyboard or the mouse is at work, so that a selection
// made otherwise (by a screen reader) can count as a choice of its own.
class EntryList : public QListWidget {
public:
    explicit EntryList(QWidget* parent)
        : QListWidget(parent) {}
    std::function<void(int)> keyMoved;
    bool handlingInput() const { return m_input > 0; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int before = currentRow();
        ++m_input;
        QListWidget::keyPressEvent(event);
        --m_input;
        if (currentRow() != before && currentRow() >= 0 && keyMoved)
            keyMoved(currentRow());
    }
    void mousePressEvent(QMouseEvent* event) override {
        ++m_input;
        QListWidget::mousePressEvent(event);
        --m_input;
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        ++m_input;
        QListWidget::mouseMoveEvent(event);
        --m_input;
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        ++m_input;
        QListWidget::mouseReleaseEvent(event);
        --m_input;
    }

private:
    int m_input = 0;
};

} // namespace

SimpleComboBox::SimpleComboBox(QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_list(new EntryList(this)) {
    m_edit->setObjectName(QStringLiteral("edit"));
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);
    setFocusProxy(m_edit);
    setTabOrder(m_edit, m_list);

    connect(m_edit, &QLineEdit::textChanged, this, &SimpleComboBox::textChanged);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(m_list->row(item)); });
    auto* entries = static_cast<EntryList*>(m_list);
    entries->keyMoved = [this](int row) { choose(row); };
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, entries](const QItemSelection& selected) {
                if (m_choosing || entries->handlingInput() || selected.isEmpty())
                    return;
                choose(selected.indexes().constFirst().row());
            });
    m_list->viewport()->installEventFilter(this);
}

QString SimpleComboBox::text() const {
    return m_edit->text();
}

void SimpleComboBox::setText(const QString& text) {
    m_edit->setText(text);
}

void SimpleComboBox::clear() {
    m_list->clear();
    m_edit->clear();
}

void SimpleComboBox::addEntries(const QStringList& entries) {
    QStringList all = entries;
    for (int i = 0; i < m_list->count(); ++i)
        all << m_list->item(i)->text();
    ListRows::sortNames(all);
    m_list->clear();
    m_list->addItems(all);
}

QString SimpleComboBox::selectedEntry() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void SimpleComboBox::choose(int row) {
    if (QListWidgetItem* item = m_list->item(row)) {
        m_choosing = true;
        item->setSelected(true);
        m_list->setCurrentItem(item, QItemSelectionModel::NoUpdate);
        m_choosing = false;
        m_edit->setText(item->text());
    }
    Q_EMIT entryClicked();
}

bool SimpleComboBox::eventFilter(QObject* watched, QEvent* event) {
    // A click into an empty list has no item to report.
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease &&
        m_list->count() == 0)
        Q_EMIT entryClicked();
    return QWidget::eventFilter(watched, event);
}
