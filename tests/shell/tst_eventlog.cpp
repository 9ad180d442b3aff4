// The event log window: what the grid lists, and the export that empties the log.
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "data/Clock.h"
#include "data/modSub.h"
#include "exchange/CodePage1250.h"
#include "rating/EditorContext.h"
#include "shell/LogExport.h"
#include "shell/LogModel.h"
#include "shell/frmLog.h"
#include "shell/frmMenu.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using Icon = DialogService::Icon;

namespace {
const QString kQuestion = QStringLiteral("A művelet kitörli a naplóból az összes eseményt. Folytatja?");
}

class tst_eventlog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void gridShowsEveryEntry();
    void gridReadsPageByPage();
    void exportWritesFileAndEmptiesLog();
    void exportOfEmptyLogWritesHeadingOnly();
    void logStaysWhenExportDoesNotHappen_data();
    void logStaysWhenExportDoesNotHappen();
    void codePage_data();
    void codePage();

private:
    int logRows() { return m_db->scalar(QStringLiteral("SELECT count(*) FROM LOG")).toInt(); }
    QByteArray readFile(const QString &path);
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedDialogService> m_dialogs;
    qint64 m_admin = 0;
    QDateTime m_now;
};

void tst_eventlog::init() {
    m_now = QDateTime(QDate(2026, 3, 8), QTime(23, 59, 30));
    Clock::set([this] { return m_now; });
    m_db = std::make_unique<TestDatabase>();
    m_dialogs = std::make_unique<ScriptedDialogService>();
    m_admin = m_db->addUser(QStringLiteral("igazgato"), QStringLiteral("Igazgató Úr"), true);
    m_db->db().connection().exec(QStringLiteral("UPDATE USERS SET usr_startup=0"));
    m_db->loginAs(m_admin);
}

void tst_eventlog::cleanup() {
    m_dialogs->verifyDone();
    m_dialogs.reset();
    m_db.reset();
    Clock::reset();
}

QByteArray tst_eventlog::readFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void tst_eventlog::gridShowsEveryEntry() {
    modSub::WriteLog(QString(), 0, QStringLiteral("login"));
    modSub::WriteLog(QStringLiteral("kovacs"), 0, QStringLiteral("Bejelentkezesi probalkozas"), -1);
    const qint64 gone = m_db->addUser(QStringLiteral("regi"), QStringLiteral("Régi Tanító"), false);
    m_db->loginAs(gone);
    modSub::WriteLog(QStringLiteral("MONDATBANK"), 12, QStringLiteral("Uj mondat felvetele"));
    m_db->db().run(QStringLiteral("delUser"), {gone});
    m_db->loginAs(m_admin);

    EditorContext editors;
    frmMenu menu(editors);
    menu.setAttribute(Qt::WA_DeleteOnClose, false);
    menu.load();
    m_dialogs->expectModal(QStringLiteral("frmLog"), [&](QDialog *d) {
        auto *grid = d->findChild<QTableView *>(QStringLiteral("DataGrid1"));
        [&] {
            QVERIFY(grid);
            QCOMPARE(d->windowTitle(), QStringLiteral("Módosítási jegyzék"));
            const QAbstractItemModel *m = grid->model();
            QStringList headings;
            for (int c = 0; c < m->columnCount(); ++c)
                headings << m->headerData(c, Qt::Horizontal).toString();
            QCOMPARE(headings,
                     QStringList({"log_id", "Tábla", "Rekord", "Dátum/Idő", "Felhasználó", "Megjegyzés"}));
            QCOMPARE(m->rowCount(), 3);
            QStringList users, notes;
            for (int r = 0; r < 3; ++r) {
                users << m->index(r, 4).data().toString();
                notes << m->index(r, 5).data().toString();
            }
            QCOMPARE(users, QStringList({"igazgato", "kovacs", "<törölt felhasználó>"}));
            QCOMPARE(notes, QStringList({"login", "Bejelentkezesi probalkozas", "Uj mondat felvetele"}));
            QCOMPARE(m->index(2, 1).data().toString(), QStringLiteral("MONDATBANK"));
            QCOMPARE(m->index(2, 2).data().toInt(), 12);
            QCOMPARE(m->index(0, 3).data().toString(), QStringLiteral("2026.03.08. 23:59:30"));
        }();
        d->findChild<QPushButton *>(QStringLiteral("btnClose"))->click();
        return d->result();
    });
    menu.cmdLog->trigger();
}

void tst_eventlog::gridReadsPageByPage() {
    const int total = LogModel::kPageRows * 2 + 17;
    {
        Transaction t(m_db->db().connection());
        for (int i = 0; i < total; ++i)
            modSub::WriteLog(QStringLiteral("TANULO"), i, QStringLiteral("Uj tanulo felvetele"));
        t.commit();
    }
    LogModel model;
    QCOMPARE(model.rowCount(), LogModel::kPageRows);
    int pages = 1;
    while (model.canFetchMore(QModelIndex())) {
        model.fetchMore(QModelIndex());
        ++pages;
    }
    QCOMPARE(model.rowCount(), total);
    QCOMPARE(pages, 3);
    QCOMPARE(model.index(total - 1, 2).data().toInt(), total - 1);
    QCOMPARE(model.index(LogModel::kPageRows, 2).data().toInt(), LogModel::kPageRows);
}

void tst_eventlog::exportWritesFileAndEmptiesLog() {
    modSub::WriteLog(QStringLiteral("INTEZMENY"), 1, QStringLiteral("Intezmenyi adatok modositasa"));
    modSub::WriteLog(QStringLiteral("kovacsne_hosszu"), 0, QStringLiteral("Bejelentkezesi probalkozas"), -1);
    m_now = QDateTime(QDate(2026, 12, 1), QTime(0, 0, 1));
    modSub::WriteLog(QStringLiteral("ATARGY"), 7,
                     QStringLiteral("Tantárgy; \"idézőjellel\" és hosszú leírással, ami "
                                    "ötven karakternél hosszabb"));
    const QString path = QDir(m_db->dir()).filePath(QStringLiteral("naplo.mb"));
    QFile::remove(path);
    frmLog window;
    window.load();
    m_dialogs->expectMessage(kQuestion, Icon::Question, QMessageBox::Yes);
    m_dialogs->expectSaveFile(path);
    window.btnExport->click();
    const QString expected = QStringLiteral(
        "\"Táblanév;Rekord;Felhasználó;Dátum;Leírás\"\r\n"
        "\"INTEZMENY;1;igazgato;2026. március 08.;Intezmenyi adatok modositasa\"\r\n"
        "\";0;kovacsne_h;2026. március 08.;Bejelentkezesi probalkozas\"\r\n"
        "\"ATARGY;7;igazgato;2026. december 01.;Tantárgy; \"idézőjellel\" és hosszú leírással, ami ö\"\r\n");
    QCOMPARE(readFile(path), CodePage1250::encode(expected));
    QCOMPARE(logRows(), 0);
    QCOMPARE(window.DataGrid1->model()->rowCount(), 0);
}

void tst_eventlog::exportOfEmptyLogWritesHeadingOnly() {
    const QString path = QDir(m_db->dir()).filePath(QStringLiteral("ures.mb"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("egy korábbi, hosszabb tartalom, amit az export felülír\r\n");
    old.close();
    QString error;
    QVERIFY(LogExport::exportAndClear(path, &error));
    QCOMPARE(readFile(path),
             QByteArray("\"T\xE1\x62lan\xE9v;Rekord;Felhaszn\xE1l\xF3;D\xE1tum;Le\xED\x72\xE1s\"\r\n"));
}

void tst_eventlog::logStaysWhenExportDoesNotHappen_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("question answered No") << "no";
    QTest::newRow("dialog cancelled") << "cancel";
    QTest::newRow("folder missing") << "missing folder";
    QTest::newRow("target is a folder") << "folder";
}

void tst_eventlog::logStaysWhenExportDoesNotHappen() {
    QFETCH(QString, how);
    modSub::WriteLog(QString(), 0, QStringLiteral("login"));
    modSub::WriteLog(QString(), 0, QStringLiteral("logout"));
    frmLog window;
    window.load();
    const QString missing = QDir(m_db->dir()).filePath(QStringLiteral("nincs/naplo.mb"));
    if (how == QLatin1String("no")) {
        m_dialogs->expectMessage(kQuestion, Icon::Question, QMessageBox::No);
    } else {
        m_dialogs->expectMessage(kQuestion, Icon::Question, QMessageBox::Yes);
        if (how == QLatin1String("cancel")) {
            m_dialogs->expectSaveFile(QString());
            m_dialogs->expectMessage(QStringLiteral("Az exportálás elmaradt, a napló változatlan."),
                                     Icon::Information);
        } else {
            m_dialogs->expectSaveFile(how == QLatin1String("folder") ? m_db->dir() : missing);
            m_dialogs->expectMessage(QStringLiteral("A napló nem írható ki ide: *"), Icon::Exclamation);
        }
    }
    window.btnExport->click();
    QCOMPARE(logRows(), 2);
    QCOMPARE(window.DataGrid1->model()->rowCount(), 2);
    QVERIFY(!QFile::exists(missing));
}

void tst_eventlog::codePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << "Rekord;1" << QByteArray("Rekord;1");
    QTest::newRow("Hungarian letters")
        << "ÁÉÍÓÖŐÚÜŰáéíóöőúüű"
        << QByteArray("\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB\xE1\xE9\xED\xF3\xF6\xF5\xFA"
                      "\xFC\xFB");
    QTest::newRow("signs of the code page") << "€„”–" << QByteArray("\x80\x84\x94\x96");
    QTest::newRow("outside the code page") << "ñ中" << QByteArray("??");
}

void tst_eventlog::codePage() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(CodePage1250::encode(text), bytes);
    if (!bytes.contains('?'))
        QCOMPARE(CodePage1250::decode(bytes), text);
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_eventlog)
#include "tst_eventlog.moc"
