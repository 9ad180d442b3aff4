// The editor's rules that need no window: pending edits, sentence visibility, sharing codes, insertion,
// status labels, dates, and saving parts all-or-nothing.
#include "SchoolFixture.h"
#include "TestDatabase.h"
#include "data/DbError.h"
#include "data/modSub.h"
#include "rating/PendingEdits.h"
#include "rating/RatingLock.h"
#include "rating/RatingParts.h"

#include <QTest>

using namespace RatingParts;

class tst_ratingrules : public QObject {
    Q_OBJECT
private slots:
    void pendingEditsKeepOneEntryPerPart();
    void sentenceVisibility_data();
    void sentenceVisibility();
    void sharingOfNewSentence_data();
    void sharingOfNewSentence();
    void insertion_data();
    void insertion();
    void labelsAndDates();
    void saveWritesCreatesUpdatesDeletes();
    void saveIsAllOrNothing();
    void duplicatePartsAreCleanedKeepingNewest();
    void lockIsTakenOnlyWhenFree();
};

void tst_ratingrules::pendingEditsKeepOneEntryPerPart() {
    PendingEdits e;
    e.store(true, 5, QStringLiteral("a"));
    e.store(false, 5, QStringLiteral("b")); // same id, other kind: another part
    e.store(true, 5, QStringLiteral("c"));
    QCOMPARE(e.count(), 2);
    QCOMPARE(*e.find(true, 5), QStringLiteral("c"));
    QCOMPARE(*e.find(false, 5), QStringLiteral("b"));
    QVERIFY(!e.find(true, 6));
    e.remove(true, 5);
    QCOMPARE(e.count(), 1);
    e.clear();
    QVERIFY(e.isEmpty());
}

void tst_ratingrules::sentenceVisibility_data() {
    QTest::addColumn<QString>("sharing");
    QTest::addColumn<bool>("own");
    QTest::addColumn<bool>("visible");
    for (const char *code : {"M", "A"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 own").arg(QLatin1String(code)))) << code << true << true;
        QTest::newRow(qPrintable(QStringLiteral("%1 other").arg(QLatin1String(code))))
            << code << false << true;
    }
    for (const char *code : {"U", "P", "X", "Y"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 own").arg(QLatin1String(code)))) << code << true << true;
        QTest::newRow(qPrintable(QStringLiteral("%1 other").arg(QLatin1String(code))))
            << code << false << false;
    }
    QTest::newRow("unknown code") << "Z" << true << false;
}

void tst_ratingrules::sentenceVisibility() {
    QFETCH(QString, sharing);
    QFETCH(bool, own);
    QFETCH(bool, visible);
    QCOMPARE(isSentenceVisible(sharing, own ? 7 : 8, 7), visible);
}

void tst_ratingrules::sharingOfNewSentence_data() {
    QTest::addColumn<bool>("offered");
    QTest::addColumn<int>("exportState");
    QTest::addColumn<QString>("code");
    QTest::newRow("offered, master") << true << 0 << "U";
    QTest::newRow("kept, master") << false << 0 << "P";
    QTest::newRow("offered, checkout copy") << true << 1 << "X";
    QTest::newRow("kept, checkout copy") << false << 1 << "Y";
    QTest::newRow("offered, return copy") << true << 2 << "U";
}

void tst_ratingrules::sharingOfNewSentence() {
    QFETCH(bool, offered);
    QFETCH(int, exportState);
    QFETCH(QString, code);
    QCOMPARE(newSentenceSharing(offered, exportState), code);
}

void tst_ratingrules::insertion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("result");
    QTest::newRow("start") << "AB" << 0 << "X AB";
    QTest::newRow("middle") << "AB" << 1 << "AX B";
    QTest::newRow("end") << "AB" << 2 << "ABX ";
    QTest::newRow("past the end") << "AB" << 9 << "ABX ";
    QTest::newRow("accents") << "őű" << 1 << "őX ű";
}

void tst_ratingrules::insertion() {
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, result);
    QCOMPARE(insertAt(text, position, QStringLiteral("X ")), result);
}

void tst_ratingrules::labelsAndDates() {
    QCOMPARE(statusLabel(QStringLiteral("N")), QStringLiteral("Lezáratlan"));
    QCOMPARE(statusLabel(QStringLiteral("I")), QStringLiteral("Véglegesítve"));
    QCOMPARE(statusLabel(QStringLiteral("B")), QStringLiteral("B. Nyomtatva"));
    QCOMPARE(statusLabel(QStringLiteral("T")), QStringLiteral("T. Nyomtatva"));
    QCOMPARE(statusLabel(QStringLiteral("P")), QStringLiteral("Nyomtatva"));
    QCOMPARE(longDate(QDate(2024, 5, 7)), QStringLiteral("2024. május 07."));
    QCOMPARE(longDate(QDate(2015, 12, 24)), QStringLiteral("2015. december 24."));
    QCOMPARE(longDate(QDate()), QString());
}

void tst_ratingrules::saveWritesCreatesUpdatesDeletes() {
    TestDatabase t;
    SchoolFixture s(t);
    t.loginAs(s.teacher);
    const qint64 ert = s.ratingOf(0);
    t.db().run(QStringLiteral("createRatingData"), {ert, s.subtraction, QStringLiteral("régi")});
    const qint64 stored = modSub::GetLastKey(QStringLiteral("ERTRESZ"));
    t.db().run(QStringLiteral("createRatingData"), {ert, s.musicSub, QStringLiteral("törlendő")});
    const qint64 doomed = modSub::GetLastKey(QStringLiteral("ERTRESZ"));
    PendingEdits e;
    e.store(true, s.addition, QStringLiteral("  Új szöveg.  "));
    e.store(false, stored, QStringLiteral("Javított."));
    e.store(false, doomed, QStringLiteral("   "));
    e.store(true, s.musicSub + 1000, QStringLiteral("  ")); // an empty new part is never written
    save(ert, e);
    QCOMPARE(loadPart(ert, s.addition).field(QStringLiteral("esz_szoveg")).toString(),
             QStringLiteral("Új szöveg."));
    QCOMPARE(loadPart(ert, s.subtraction).field(QStringLiteral("esz_szoveg")).toString(),
             QStringLiteral("Javított."));
    QCOMPARE(loadPart(ert, s.musicSub).count(), 0);
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM ERTRESZ")).toInt(), 2);
    QCOMPARE(
        t.scalar(QStringLiteral(
                     "SELECT count(*) FROM LOG WHERE log_tabla='ERTRESZ' AND log_megj='Ertekeles mentese'"))
            .toInt(),
        4);
}

void tst_ratingrules::saveIsAllOrNothing() {
    TestDatabase t;
    SchoolFixture s(t);
    t.loginAs(s.teacher);
    const qint64 ert = s.ratingOf(0);
    t.db().run(QStringLiteral("createRatingData"), {ert, s.subtraction, QStringLiteral("régi")});
    const qint64 stored = modSub::GetLastKey(QStringLiteral("ERTRESZ"));
    t.failWrites(QStringLiteral("INSERT"), QStringLiteral("ERTRESZ"), QStringLiteral("lemez megtelt"));
    PendingEdits e;
    e.store(false, stored, QStringLiteral("Javított."));
    e.store(true, s.addition, QStringLiteral("Új."));
    QVERIFY_THROWS_EXCEPTION(DbError, save(ert, e));
    QCOMPARE(loadPart(ert, s.subtraction).field(QStringLiteral("esz_szoveg")).toString(),
             QStringLiteral("régi"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM LOG")).toInt(), 0);
    QCOMPARE(t.db().connection().transactionDepth(), 0);
}

void tst_ratingrules::duplicatePartsAreCleanedKeepingNewest() {
    TestDatabase t;
    SchoolFixture s(t);
    const qint64 ert = s.ratingOf(1);
    for (const char *text : {"első", "második", "harmadik"})
        t.db().run(QStringLiteral("createRatingData"), {ert, s.addition, QString::fromUtf8(text)});
    const Recordset part = loadPart(ert, s.addition);
    QCOMPARE(part.count(), 1);
    QCOMPARE(part.field(QStringLiteral("esz_szoveg")).toString(), QStringLiteral("harmadik"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM ERTRESZ")).toInt(), 1);
}

void tst_ratingrules::lockIsTakenOnlyWhenFree() {
    TestDatabase t;
    SchoolFixture s(t);
    const qint64 ert = s.ratingOf(2);
    auto second = t.secondProgram();
    QVERIFY(RatingLock::take(ert, s.teacher));
    {
        AppData::Scope scope(*second);
        QVERIFY(!RatingLock::take(ert, s.other));
        QCOMPARE(RatingLock::holderName(ert), QStringLiteral("Kiss Anna"));
    }
    // A stale lock keeps the rating read-only for its own holder too.
    QVERIFY(!RatingLock::take(ert, s.teacher));
    RatingLock::release(ert);
    QCOMPARE(RatingLock::holderName(ert), QString());
    AppData::Scope scope(*second);
    QVERIFY(RatingLock::take(ert, s.other));
}

LORVANTO_TEST_BOTH_ENGINES(tst_ratingrules)
#include "tst_ratingrules.moc"
