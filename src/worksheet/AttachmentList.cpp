#include "AttachmentList.h"

#include "Accessibility.h"
#include "BusyCursor.h"
#include "Shell.h"
#include "Toolkit.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kIdRole = Qt::UserRole + 1;

// Copies handed to the desktop's viewer live in a folder only this user can
// read, removed when the program ends.
QTemporaryDir* viewerFolder() {
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir || !dir->isValid())
        dir = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                              QStringLiteral("/rastrel-attachments-XXXXXX"));
    return dir->isValid() ? dir.get() : nullptr;
}

QString sizeText(qint64 bytes) {
    return QLocale::system().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// The quick checks for a file about to wait on the add panel; the contents
// are read (and checked again) when the line is added.
QString stagingProblem(const QString& path) {
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.exists())
        return QStringLiteral("The file \"%1\" is no longer there; it may have been moved or "
                              "deleted after it was chosen. Nothing was attached.")
            .arg(shown);
    if (info.isDir())
        return QStringLiteral("\"%1\" is a folder. Only files can be attached.").arg(shown);
    if (!info.isReadable())
        return QStringLiteral("The file \"%1\" cannot be read (permission denied). Nothing was "
                              "attached.")
            .arg(shown);
    if (info.size() == 0)
        return QStringLiteral("The file \"%1\" is empty (0 bytes), so there is nothing to attach.")
            .arg(shown);
    if (info.size() > AttachmentStore::kMaxBytes)
        return QStringLiteral("The file \"%1\" is %2 MB. An attachment can be at most 25 MB; "
                              "nothing was attached.")
            .arg(shown)
            .arg(double(info.size()) / (1024 * 1024), 0, 'f', 1);
    return {};
}

QIcon iconFor(const QImage& thumbnail, QStyle* style) {
    if (!thumbnail.isNull())
        return QIcon(QPixmap::fromImage(thumbnail));
    return style->standardIcon(QStyle::SP_FileIcon);
}

} // namespace

AttachmentList::AttachmentList(Shell& shell, AttachmentStore& store, Mode mode, QWidget* parent)
    : QWidget(parent)
    , m_shell(shell)
    , m_store(store)
    , m_mode(mode) {
    setAcceptDrops(true);
    auto* frame = new QGroupBox(QStringLiteral("Attachments"), this);
    m_list = new QListWidget(frame);
    m_list->setObjectName(QStringLiteral("lstAttachments"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(false);
    m_list->setIconSize(QSize(AttachmentStore::kThumbnailSize / 2 * 3 / 2,
                              AttachmentStore::kThumbnailSize / 2 * 3 / 2));
    m_list->setMovement(QListView::Static);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setGridSize(QSize(110, 66));
    m_list->setFixedHeight(86);
    m_list->setAcceptDrops(false);
    Accessibility::name(m_list, QStringLiteral("Attachments"));
    Accessibility::currentFollowsSelection(m_list);
    connect(m_list, &QListWidget::currentRowChanged, this, &AttachmentList::updateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &AttachmentList::openCurrent);

    auto button = [&](const char* name, const QString& caption, void (AttachmentList::*slot)()) {
        auto* b = new QPushButton(caption, frame);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_add = button("cmdAttachAdd", QStringLiteral("Attac&h..."), &AttachmentList::chooseFiles);
    m_open = button("cmdAttachOpen", QStringLiteral("Open"), &AttachmentList::openCurrent);
    m_save = button("cmdAttachSave", QStringLiteral("Save As..."), &AttachmentList::saveCurrent);
    m_remove = button("cmdAttachRemove", QStringLiteral("Remove"), &AttachmentList::removeCurrent);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(4);
    buttons->addWidget(m_add, 0, 0);
    buttons->addWidget(m_open, 0, 1);
    buttons->addWidget(m_save, 1, 0);
    buttons->addWidget(m_remove, 1, 1);
    auto* inner = new QHBoxLayout(frame);
    inner->setContentsMargins(6, 2, 6, 6);
    inner->addWidget(m_list, 1);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    updateButtons();
}

int AttachmentList::count() const {
    return m_list->count();
}

void AttachmentList::setLine(std::optional<qint64> lineId) {
    m_line = lineId;
    reload();
}

void AttachmentList::clearStaged() {
    m_staged.clear();
    reload();
}

void AttachmentList::reload() {
    m_list->clear();
    QStyle* s = style();
    if (m_mode == Mode::Staging) {
        for (const QString& path : std::as_const(m_staged)) {
            QImageReader reader(path);
            const QSize full = reader.size();
            if (full.isValid())
                reader.setScaledSize(full.scaled(AttachmentStore::kThumbnailSize,
                                                 AttachmentStore::kThumbnailSize,
                                                 Qt::KeepAspectRatio));
            auto* item = new QListWidgetItem(iconFor(reader.read(), s), QFileInfo(path).fileName());
            item->setToolTip(QDir::toNativeSeparators(path));
            m_list->addItem(item);
        }
    } else if (m_line) {
        DbResult error;
        const QList<AttachmentInfo> all = m_store.list(*m_line, &error);
        for (const AttachmentInfo& a : all) {
            auto* item = new QListWidgetItem(iconFor(m_store.thumbnail(a.id), s), a.fileName);
            item->setData(kIdRole, a.id);
            item->setToolTip(
                QStringLiteral("%1\n%2, %3\nAdded %4")
                    .arg(a.fileName, a.mimeType, sizeText(a.size),
                         QLocale::system().toString(a.added.toLocalTime(), QLocale::ShortFormat)));
            m_list->addItem(item);
        }
    }
    updateButtons();
}

void AttachmentList::updateButtons() {
    const bool usable = m_mode == Mode::Staging || m_line.has_value();
    const bool chosen = m_list->currentRow() >= 0;
    m_add->setEnabled(usable);
    m_open->setEnabled(chosen && m_mode == Mode::StoredLine);
    m_save->setEnabled(chosen && m_mode == Mode::StoredLine);
    m_remove->setEnabled(chosen);
}

std::optional<qint64> AttachmentList::currentId() const {
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || m_mode != Mode::StoredLine)
        return std::nullopt;
    return item->data(kIdRole).toLongLong();
}

QString AttachmentList::currentName() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

void AttachmentList::chooseFiles() {
    const QString path = m_shell.toolkit().chooseFile(this, QStringLiteral("Attach a File"),
                                                      QStringLiteral("All Files (*)"), QString());
    if (!path.isEmpty())
        addFiles({path});
}

void AttachmentList::addFiles(const QStringList& paths) {
    BusyCursor busy;
    QStringList problems;
    bool stagedChanged = false;
    for (const QString& path : paths) {
        if (m_mode == Mode::Staging) {
            if (const QString problem = stagingProblem(path); !problem.isEmpty()) {
                problems << problem;
                continue;
            }
            m_staged << path;
            stagedChanged = true;
        } else if (m_line) {
            if (DbResult r = m_store.add(*m_line, path); !r)
                problems << r.message();
        }
    }
    reload();
    if (!problems.isEmpty())
        m_shell.toolkit().inform(problems.join(QStringLiteral("\n\n")));
    if (stagedChanged)
        Q_EMIT edited();
}

bool AttachmentList::prepareStaged(QList<PreparedAttachment>* files, QString* message) const {
    for (const QString& path : m_staged) {
        std::optional<PreparedAttachment> file = AttachmentStore::prepare(path, message);
        if (!file)
            return false;
        files->append(std::move(*file));
    }
    return true;
}

void AttachmentList::openCurrent() {
    BusyCursor busy;
    const std::optional<qint64> id = currentId();
    if (!id)
        return;
    Toolkit& toolkit = m_shell.toolkit();
    QByteArray bytes;
    if (DbResult r = m_store.read(*id, &bytes); !r) {
        toolkit.inform(r.message());
        return;
    }
    QTemporaryDir* folder = viewerFolder();
    const QString sub = folder ? folder->filePath(QString::number(*id)) : QString();
    const QString path = sub + u'/' + AttachmentStore::safeFileName(currentName());
    QFile file(path);
    // A copy opened earlier is read-only; it is replaced by a fresh one.
    if (folder && QDir().mkpath(sub)) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);
    }
    if (!folder || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        toolkit.inform(QStringLiteral("\"%1\" could not be copied for viewing: %2")
                           .arg(currentName(), folder ? file.errorString()
                                                      : QStringLiteral("no temporary folder")));
        return;
    }
    file.close();
    file.setPermissions(QFile::ReadOwner);
    if (!toolkit.openDocument(path))
        toolkit.inform(QStringLiteral("No program on this computer could open \"%1\". Use Save "
                                      "As to keep a copy and open it yourself.")
                           .arg(currentName()));
}

void AttachmentList::saveCurrent() {
    const std::optional<qint64> id = currentId();
    if (!id)
        return;
    Toolkit& toolkit = m_shell.toolkit();
    const QString target = toolkit.chooseSaveFile(
        this, QStringLiteral("Save Attachment As"), QStringLiteral("All Files (*)"),
        QDir::home().filePath(AttachmentStore::safeFileName(currentName())));
    if (target.isEmpty())
        return;
    BusyCursor busy;
    if (DbResult r = m_store.saveAs(*id, target); !r)
        toolkit.inform(r.message());
}

void AttachmentList::removeCurrent() {
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    const QString name = currentName();
    if (m_mode == Mode::Staging) {
        m_staged.removeAt(row);
        reload();
        Q_EMIT edited();
        return;
    }
    const auto answer = m_shell.toolkit().askYesNo(
        QStringLiteral("Remove the attachment \"%1\" from this part line?").arg(name),
        Toolkit::applicationTitle(), false);
    if (answer != Toolkit::Answer::Yes)
        return;
    BusyCursor busy;
    if (DbResult r = m_store.remove(*currentId()); !r)
        m_shell.toolkit().inform(r.message());
    reload();
}

void AttachmentList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && (m_mode == Mode::Staging || m_line))
        event->acceptProposedAction();
}

void AttachmentList::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    addFiles(paths);
}
