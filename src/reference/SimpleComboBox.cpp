#include "SimpleComboBox.h"

#include "ListRows.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

// Reports a move of the current row made with the keyboard. Other moves (the
// row the view picks when it gets the focus, a mouse press) choose nothing.
class EntryList : public QListWidget {
public:
    explicit EntryList(QWidget* parent)
        : QListWidget(parent) {}
    std::function<void(int)> keyMoved;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        if (currentRow() != before && currentRow() >= 0 && keyMoved)
            keyMoved(currentRow());
    }
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
    static_cast<EntryList*>(m_list)->keyMoved = [this](int row) { choose(row); };
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
        item->setSelected(true);
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
