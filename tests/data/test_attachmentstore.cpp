#include "AttachmentStore.h"
#include "DataStore.h"
#include "DataTable.h"
#include "Fixtures.h"
#include "TestDatabase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

struct Lines {
    TestDatabase db;
    std::unique_ptr<DataStore> store = db.open();
    AttachmentStore attachments{*store};
    qint64 engine = 0; // a line of project 1
    qint64 spare = 0;  // another line of project 1
    qint64 other = 0;  // a line of project 2

    Lines() {
        if (!store->execute("RSLMaster",
                            "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                            "Mas_vehicle_number) VALUES ('ATT ONE', 1, 1), ('ATT TWO', 1, 1), "
                            "('ATT ONE', 2, 2)"))
            QTest::qFail("setup", __FILE__, __LINE__);
        engine = attachments.lineId("ATT ONE", "1").value_or(0);
        spare = attachments.lineId("ATT TWO", "1").value_or(0);
        other = attachments.lineId("ATT ONE", "2").value_or(0);
    }
    QString file(const QString& name, const QByteArray& bytes) const {
        const QString path = db.path(name);
        if (!TestDatabase::writeFile(path, bytes))
            QTest::qFail("cannot write a test file", __FILE__, __LINE__);
        return path;
    }
    QString image(const QString& name) const { return file(name, Fixtures::png({320, 200})); }
    int rows(const char* table) const {
        return TestDatabase::scalar(db.databasePath(),
                                    QStringLiteral("SELECT COUNT(*) FROM %1").arg(table))
            .toInt();
    }
};

} // namespace

class TestAttachmentStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void addListReadSaveAndRemove();
    void unusableFilesAreRefusedByName_data();
    void unusableFilesAreRefusedByName();
    void theLimitIsTwentyFiveMegabytes();
    void attachmentsGoWithTheirLineAndStayThroughARename();
    void aFailedStoreLeavesNothingHalfStored();
    void damagedContentsAreReportedNotHanded();
    void listingNeverReadsTheContents();
};

void TestAttachmentStore::addListReadSaveAndRemove() {
    Lines l;
    const QString receipt = l.image(QStringLiteral("Reçu d'O'Brien – Größe.png"));
    const QByteArray text = "Invoice 42\nTotal 26.50\n";
    qint64 first = 0, second = 0;
    QVERIFY(l.attachments.add(l.engine, receipt, &first).ok());
    QVERIFY(l.attachments.add(l.engine, l.file("notes.txt", text), &second).ok());
    QVERIFY(l.attachments.add(l.spare, l.file("elsewhere.txt", "x"), nullptr).ok());

    const QList<AttachmentInfo> listed = l.attachments.list(l.engine);
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed[0].id, first);
    QCOMPARE(listed[0].fileName, QStringLiteral("Reçu d'O'Brien – Größe.png"));
    QVERIFY(listed[0].isImage());
    QCOMPARE(listed[1].size, qint64(text.size()));
    QCOMPARE(
        listed[1].checksum,
        QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex()));

    // An image has a thumbnail that fits the square; other files have none.
    const QImage thumb = l.attachments.thumbnail(first);
    QCOMPARE(thumb.width(), AttachmentStore::kThumbnailSize);
    QVERIFY(thumb.height() <= AttachmentStore::kThumbnailSize);
    QVERIFY(l.attachments.thumbnail(second).isNull());

    QByteArray back;
    QVERIFY(l.attachments.read(second, &back).ok());
    QCOMPARE(back, text);
    const QString copy = l.db.path("copy of notes.txt");
    QVERIFY(l.attachments.saveAs(second, copy).ok());
    QCOMPARE(TestDatabase::readFile(copy), text);

    QVERIFY(l.attachments.remove(first).ok());
    QCOMPARE(l.attachments.list(l.engine).size(), 1);
    QCOMPARE(l.rows("RSLAttachmentData"), 2);
}

void TestAttachmentStore::unusableFilesAreRefusedByName_data() {
    DataTable::namedPairs("kind", "says",
                          {{"empty", "is empty (0 bytes)"},
                           {"vanished", "is no longer there"},
                           {"folder", "is a folder"},
                           {"line gone", "no longer exists"}});
}

void TestAttachmentStore::unusableFilesAreRefusedByName() {
    QFETCH(QString, kind);
    QFETCH(QString, says);
    Lines l;
    QString path = l.file("o'hara.pdf", "%PDF-1.4\n");
    qint64 line = l.engine;
    if (kind == "empty")
        path = l.file("o'hara.pdf", {});
    else if (kind == "vanished")
        QVERIFY(QFile::remove(path));
    else if (kind == "folder")
        path = l.db.path(".");
    else
        QVERIFY(l.store->execute("RSLMaster", "DELETE FROM RSLMaster WHERE Line_id = ?", {line}));
    const DbResult r = l.attachments.add(line, path);
    QVERIFY(r.message().contains(says));
    if (kind != "folder" && kind != "line gone")
        QVERIFY(r.message().contains("o'hara.pdf"));
    QCOMPARE(l.rows("RSLAttachments"), 0);
}

void TestAttachmentStore::theLimitIsTwentyFiveMegabytes() {
    Lines l;
    const QString path = l.db.path("scan.tif");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(AttachmentStore::kMaxBytes));
    f.close();
    QString message;
    QVERIFY(AttachmentStore::prepare(path, &message).has_value());
    QVERIFY(f.resize(AttachmentStore::kMaxBytes + 1));
    QVERIFY(!AttachmentStore::prepare(path, &message).has_value());
    QVERIFY(message.contains("scan.tif"));
}

void TestAttachmentStore::attachmentsGoWithTheirLineAndStayThroughARename() {
    Lines l;
    for (qint64 line : {l.engine, l.engine, l.spare, l.other})
        QVERIFY(l.attachments.add(line, l.file("r.txt", "receipt")).ok());

    // A renamed line (new name, new number) keeps its attachments.
    QVERIFY(l.store->execute("RSLMaster",
                             "UPDATE RSLMaster SET Part_Name = 'ATT RENAMED', Sequence_Number = 5 "
                             "WHERE Line_id = ?",
                             {l.engine}));
    QCOMPARE(l.attachments.lineId("ATT RENAMED", "5"), std::optional<qint64>(l.engine));
    QCOMPARE(l.attachments.list(l.engine).size(), 2);

    // Deleting a line, then a project's lines, takes the attachments and
    // their contents along.
    QVERIFY(l.store->execute("RSLMaster", "DELETE FROM RSLMaster WHERE Line_id = ?", {l.engine}));
    QCOMPARE(l.rows("RSLAttachments"), 2);
    QCOMPARE(l.rows("RSLAttachmentData"), 2);
    QVERIFY(l.store->execute("RSLMaster", "DELETE FROM RSLMaster WHERE Mas_vehicle_number = 1"));
    QCOMPARE(l.attachments.list(l.other).size(), 1);
    QCOMPARE(l.rows("RSLAttachmentData"), 1);
}

void TestAttachmentStore::aFailedStoreLeavesNothingHalfStored() {
    Lines l;
    QVERIFY(TestDatabase::exec(l.db.databasePath(),
                               "CREATE TRIGGER full BEFORE INSERT ON RSLAttachmentData BEGIN "
                               "SELECT RAISE(ABORT, 'database or disk is full'); END"));
    QVERIFY(!l.attachments.add(l.engine, l.image("photo.png")).ok());
    QCOMPARE(l.rows("RSLAttachments"), 0);
}

void TestAttachmentStore::damagedContentsAreReportedNotHanded() {
    Lines l;
    qint64 broken = 0, tampered = 0;
    // Not an image at all despite its name: stored and listed, no thumbnail.
    QVERIFY(l.attachments.add(l.engine, l.file("photo.jpg", QByteArray(500, 'z')), &broken).ok());
    QVERIFY(l.attachments.thumbnail(broken).isNull());
    QVERIFY(l.attachments.add(l.engine, l.file("bill.txt", "paid"), &tampered).ok());
    QVERIFY(TestDatabase::exec(l.db.databasePath(),
                               QStringLiteral("UPDATE RSLAttachmentData SET Data = x'00' WHERE "
                                              "Attachment_id = %1")
                                   .arg(tampered)));
    QByteArray data;
    const DbResult r = l.attachments.read(tampered, &data);
    QVERIFY(r.message().contains("bill.txt") && r.message().contains("damaged"));
    QVERIFY(data.isEmpty());
    QVERIFY(!l.attachments.saveAs(tampered, l.db.path("out.txt")).ok());
    QVERIFY(!QFile::exists(l.db.path("out.txt")));
}

void TestAttachmentStore::listingNeverReadsTheContents() {
    Lines l;
    qint64 photo = 0;
    QVERIFY(l.attachments.add(l.engine, l.image("photo.png"), &photo).ok());
    QVERIFY(l.attachments.add(l.engine, l.file("manual.pdf", QByteArray(300000, 'm'))).ok());

    // With the contents gone altogether, the list and the thumbnails are
    // all there; only reading a file fails.
    QVERIFY(l.store->execute("RSLAttachments", "DROP TABLE RSLAttachmentData").ok());
    AttachmentStore fresh(*l.store);
    const QList<AttachmentInfo> listed = fresh.list(l.engine);
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed[1].size, qint64(300000));
    QVERIFY(!fresh.thumbnail(photo).isNull());
    QByteArray data;
    QVERIFY(!fresh.read(photo, &data).ok());
}

QTEST_GUILESS_MAIN(TestAttachmentStore)
#include "test_attachmentstore.moc"
