#include "shell/databasewatch.h"
#include "store/databasefile.h"
#include "tests/shell/shellfixture.h"

#include <QFile>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

namespace {

QByteArray records(const QStringList& sites)
{
    QByteArray bytes;
    for (const QString& site : sites)
        bytes += encodeRecord(Entry{site, QStringLiteral("user"), {}, {}, {}, false}, 1);
    return bytes;
}

// As a sync engine does: a temporary file renamed over the database, or the same file written again.
void writeAsSyncEngine(const QString& path, const QByteArray& bytes, bool inPlace = false)
{
    const QString target = inPlace ? path : path + QStringLiteral(".syncing");
    QVERIFY(writeFile(target, bytes));
    if (!inPlace) QVERIFY(QFile::remove(path) && QFile::rename(target, path));
}

} // namespace

class TestSyncedCopies : public ShellFixture {
    Q_OBJECT
private slots:
    void init()
    {
        setUp(false);
        QVERIFY(writeFile(path(), records({"A", "B"})));
        load();
    }
    void watchTakesInAnotherCopy_data();
    void watchTakesInAnotherCopy();
    void copyThatDidNotLoadWholeAtSave_data();
    void copyThatDidNotLoadWholeAtSave();
    void mergeAnotherDatabase();

private:
    QString path() const { return home->file(QStringLiteral("anna.adr")); }
    QString status() const { return window->statusBar()->currentMessage(); }
};

void TestSyncedCopies::watchTakesInAnotherCopy_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("sites");
    QTest::addColumn<QString>("message"); // how the status bar starts
    // Loaded: A B in the second list, B selected. The other copy puts N first.
    const auto row = [](const char* name, const char* change, const char* sites, const QString& message) {
        QTest::newRow(name) << QString(change) << QString(sites) << message;
    };
    const QString merged = QStringLiteral("Merged changes from another copy: 1 added, 0 removed");
    row("renamed over", "rename", "N A B", merged);
    row("written in place", "in place", "N A B", merged);
    row("cut off, what could be read merged", "cut off", "N A B",
        merged + ". Another copy of the database is kept beside it as ");
    row("cut off, cancelled: nothing merged", "cut off, cancel", "A B", {});
    row("our own save", "own save", "N A B", {});
    row("unsaved changes wait for the save", "unsaved", "A B N", {});
}

void TestSyncedCopies::watchTakesInAnotherCopy()
{
    QFETCH(QString, change);
    QFETCH(QString, message);
    tabs()->setCurrentIndex(1);
    QTableView* list = this->list(1);
    list->selectRow(1);
    const Entry n{QStringLiteral("N"), QStringLiteral("user"), {}, {}, {}, true};
    if (change == QLatin1String("own save") || change == QLatin1String("unsaved"))
        window->store().addEntry(n, 1, change == QLatin1String("own save") ? 1 : 0);
    if (change == QLatin1String("own save")) action("mnuSave")->trigger();
    const bool cutOff = change.startsWith(QLatin1String("cut off"));
    if (cutOff) fake->choiceAnswers << (change.endsWith(QLatin1String("cancel")) ? 2 : 0); // 0: merge
    const QByteArray theirs = records({"N", "A", "B"}) + (cutOff ? "cut" : "");
    if (change != QLatin1String("own save"))
        writeAsSyncEngine(path(), theirs, change == QLatin1String("in place"));

    if (message.isEmpty()) QTest::qWait(2 * DatabaseWatch::kQuietMs);
    QTRY_VERIFY2(message.isEmpty() ? status().isEmpty() : status().startsWith(message), qPrintable(status()));
    QTEST(sites(window->store().contents(), 1), "sites");
    QCOMPARE(tabs()->currentIndex(), 1);
    QCOMPARE(list->currentIndex().data().toString(), QStringLiteral("B"));
    QCOMPARE(window->store().databaseChanged(), change == QLatin1String("unsaved"));
    if (change.endsWith(QLatin1String("cancel"))) QCOMPARE(readFile(path()), theirs); // and no copy beside it
    if (change != QLatin1String("unsaved")) return;
    action("mnuSave")->trigger(); // merges, and the list stays on B
    QCOMPARE(sites(window->store().contents(), 1), QStringLiteral("N A B N"));
    QCOMPARE(list->currentIndex().data().toString(), QStringLiteral("B"));
}

void TestSyncedCopies::copyThatDidNotLoadWholeAtSave_data()
{
    QTest::addColumn<int>("choice"); // -1: no question, the exit's automatic save
    QTest::addColumn<QString>("saved");
    // Loaded: A B; A deleted here. The other copy holds A B FromOtherPC and a cut-off record.
    QTest::newRow("merge what could be read") << 0 << "B FromOtherPC";
    QTest::newRow("keep mine") << 1 << "B";
    QTest::newRow("cancel") << 2 << "A B FromOtherPC";
    QTest::newRow("exit keeps both unasked") << -1 << "B";
}

void TestSyncedCopies::copyThatDidNotLoadWholeAtSave()
{
    QFETCH(int, choice);
    window->store().deleteEntry(1, 0);
    const QByteArray theirs = records({"A", "B", "FromOtherPC"}) + "cut";
    writeAsSyncEngine(path(), theirs);
    if (choice >= 0) fake->choiceAnswers << choice;
    if (choice < 0)
        QVERIFY(window->close());
    else
        action("mnuSave")->trigger();

    QCOMPARE(fake->questions.size(), choice < 0 ? 0 : 1);
    QTEST(sites(readAnotherDatabase(path(), nullptr).lists, 1), "saved");
    const QStringList copies = conflictCopiesBeside(path());
    QCOMPARE(copies.size(), choice == 2 ? 0 : 1);
    if (!copies.isEmpty()) QCOMPARE(readFile(home->file(copies.first())), theirs);
    QCOMPARE(window->store().databaseChanged(), choice == 2);
}

// A conflict copy beside the database is mentioned at start; File > Merge Another Database... adds what it
// holds that the store lacks, duplicates counted.
void TestSyncedCopies::mergeAnotherDatabase()
{
    const QString copy = home->file(QStringLiteral("anna.sync-conflict-20261206-101010-ABCDEFG.adr"));
    QVERIFY(writeFile(copy, records({"A", "A", "C"})));
    window.reset();
    load();
    QVERIFY(status().contains(QStringLiteral("anna.sync-conflict-20261206-101010-ABCDEFG.adr")));

    fake->fileAnswers << copy;
    action("mnuMerge")->trigger();
    QCOMPARE(sites(window->store().contents(), 1), QStringLiteral("A B A C"));
    QCOMPARE(status(), QStringLiteral("Entries added from %1: 2.").arg(copy));
    QVERIFY(window->store().databaseChanged());
}

QTEST_MAIN(TestSyncedCopies)
#include "tst_syncedcopies.moc"
