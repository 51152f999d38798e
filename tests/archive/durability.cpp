#include "store/recordset.h"
#include "store/storefile.h"
#include "store/transaction.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QFile>
#include <sqlite3.h>

namespace {

// A disk that loses the deletion of a journal unless the folder was synced
// after it, as a power cut right after the commit does: it keeps the journal
// as it was at its deletion, and puts it back at "the cut".
sqlite3_vfs cutVfs;
int (*realDelete)(sqlite3_vfs *, const char *, int) = nullptr;

int deleteThatMayBeLost(sqlite3_vfs *vfs, const char *name, int syncFolder)
{
    const QString path = QString::fromUtf8(name);
    if (path.endsWith("-journal") && !syncFolder) {
        QFile::remove(path + ".perso");
        QFile::copy(path, path + ".perso");
    }
    return realDelete(vfs, name, syncFolder);
}

void removeCutDisk()
{
    sqlite3_vfs_unregister(&cutVfs);
}

void installCutDisk()
{
    sqlite3_vfs *real = sqlite3_vfs_find(nullptr);
    cutVfs = *real;
    cutVfs.zName = "velmora-taglio";
    realDelete = real->xDelete;
    cutVfs.xDelete = deleteThatMayBeLost;
    sqlite3_vfs_register(&cutVfs, 1);
}

void powerCut(const QString &storePath)
{
    const QString journal = storePath + "-journal";
    if (QFile::exists(journal + ".perso"))
        QFile::rename(journal + ".perso", journal);
}

}

class DurabilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installCutDisk(); }
    void cleanupTestCase() { removeCutDisk(); }
    void aCommitThatReturnedSurvivesAPowerCut();
};

void DurabilityTest::aCommitThatReturnedSurvivesAPowerCut()
{
    TestStore store;
    const qint64 id = store.add("OPERATORE", {{"OPERATORE", "ROSSI"}});
    {
        Transaction transaction(store.connection());
        store.connection().execute("UPDATE OPERATORE SET OPERATORE = 'BIANCHI' WHERE ID = ?", {id});
        store.connection().execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('VERDI')");
        transaction.commit();
    }
    store.connection().close();

    powerCut(store.path());
    Connection reopened;
    storefile::openOrCreate(reopened, store.path());
    QCOMPARE(Recordset(reopened, "SELECT OPERATORE FROM OPERATORE WHERE ID = ?", {id}).fields(0).text(), QString("BIANCHI"));
    QCOMPARE(Recordset(reopened, "SELECT * FROM OPERATORE").recordCount(), 2);
}

VELMORA_FILE_SUITE_CASE(DurabilityTest)
#include "durability.moc"
