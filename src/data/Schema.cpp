#include "data/Schema.h"

#include "data/Connection.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/PgConnection.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Counters are AUTOINCREMENT so that a key is never handed out twice, as the original counters never were.
// Yes/no columns are BOOLEAN (read back as true/false), dates DATE and time stamps DATETIME.
const char *const kTables[] = {
    R"(CREATE TABLE USERS (
        usr_id INTEGER PRIMARY KEY AUTOINCREMENT,
        usr_nev TEXT, usr_login TEXT, usr_paswd TEXT, usr_emlekezteto TEXT, usr_beosztas TEXT,
        usr_admin_rights BOOLEAN NOT NULL DEFAULT 0, usr_autosave INTEGER, usr_bg TEXT,
        usr_startup INTEGER NOT NULL DEFAULT 1))",
    R"(CREATE TABLE TANEV (
        tev_id INTEGER PRIMARY KEY AUTOINCREMENT,
        tev_ev INTEGER, tev_honap TEXT, tev_hivatalos TEXT, tev_megjegyzes TEXT,
        tev_aktiv BOOLEAN NOT NULL DEFAULT 0, tev_del BOOLEAN NOT NULL DEFAULT 0))",
    R"(CREATE TABLE OSZTALY (
        osz_id INTEGER PRIMARY KEY AUTOINCREMENT,
        osz_tev_id INTEGER, osz_evfolyam INTEGER, osz_nev TEXT, osz_ofonok_usr_id INTEGER,
        osz_indulas_eve INTEGER, osz_megj TEXT, osz_torolt BOOLEAN NOT NULL DEFAULT 0, osz_om TEXT))",
    R"(CREATE TABLE TANULO (
        tan_id INTEGER PRIMARY KEY AUTOINCREMENT,
        tan_vnev TEXT, tan_knev TEXT, tan_anev TEXT, tan_gondv_nev TEXT, tan_szhely TEXT, tan_orszag TEXT,
        tan_szdatum DATE, tan_tlapszam TEXT, tan_sorsz TEXT, tan_del BOOLEAN NOT NULL DEFAULT 0))",
    R"(CREATE TABLE ERTEKELES (
        ert_id INTEGER PRIMARY KEY AUTOINCREMENT,
        ert_tan_id INTEGER, ert_osz_id INTEGER, ert_tev_id INTEGER, ert_vegleges TEXT,
        ert_mulaszt INTEGER, ert_igazolatlan INTEGER, ert_hatarozat_evf TEXT, ert_keltezes DATE,
        ert_sorsz TEXT, ert_tlapszam TEXT, ert_bizszam TEXT, ert_lock_usr_id INTEGER NOT NULL DEFAULT 0,
        ert_nyomtatas_datum DATE, ert_biz_nevek INTEGER, ert_tlap_nevek INTEGER))",
    R"(CREATE TABLE ERTRESZ (
        esz_id INTEGER PRIMARY KEY AUTOINCREMENT,
        esz_ert_id INTEGER, esz_akb_id INTEGER, esz_szoveg TEXT))",
    R"(CREATE TABLE ATARGY (
        ata_id INTEGER PRIMARY KEY AUTOINCREMENT,
        ata_rnev TEXT, ata_tev_id INTEGER, ata_del BOOLEAN NOT NULL DEFAULT 0))",
    R"(CREATE TABLE KMPBANK (
        kpb_id INTEGER PRIMARY KEY AUTOINCREMENT,
        kpb_ata_id INTEGER, kpb_nev TEXT, kpb_del BOOLEAN NOT NULL DEFAULT 0))",
    R"(CREATE TABLE ALKMPBANK (
        akb_id INTEGER PRIMARY KEY AUTOINCREMENT,
        akb_kpb_id INTEGER, akb_nev TEXT, akb_del BOOLEAN NOT NULL DEFAULT 0))",
    R"(CREATE TABLE MONDATBANK (
        mdb_id INTEGER PRIMARY KEY AUTOINCREMENT,
        mdb_akb_id INTEGER, mdb_szoveg TEXT, mdb_megoszt TEXT, mdb_usr_id INTEGER))",
    R"(CREATE TABLE ZARADEK (
        zdk_id INTEGER PRIMARY KEY AUTOINCREMENT, zdk_ert_id INTEGER, zdk_szoveg TEXT))",
    R"(CREATE TABLE ZDK_SABLON (zds_id INTEGER PRIMARY KEY AUTOINCREMENT, zds_szoveg TEXT))",
    R"(CREATE TABLE HAT_SABLON (hat_id INTEGER PRIMARY KEY AUTOINCREMENT, hat_szoveg TEXT))",
    R"(CREATE TABLE LAP (
        lap_id INTEGER PRIMARY KEY AUTOINCREMENT,
        lap_ert_id INTEGER, lap_tipus TEXT, lap_szam INTEGER, lap_sorszam TEXT,
        lap_del INTEGER NOT NULL DEFAULT 0))",
    R"(CREATE TABLE JOG (
        jog_id INTEGER PRIMARY KEY AUTOINCREMENT, jog_usr_id INTEGER, jog_osz_id INTEGER, jog_tipus TEXT))",
    R"(CREATE TABLE CSOPORT (csp_id INTEGER PRIMARY KEY AUTOINCREMENT, csp_nev TEXT))",
    R"(CREATE TABLE CSOPTAG (
        cst_id INTEGER PRIMARY KEY AUTOINCREMENT, cst_usr_id INTEGER, cst_csp_id INTEGER))",
    R"(CREATE TABLE PARAMETER (par_id INTEGER PRIMARY KEY AUTOINCREMENT, par_nev TEXT, par_ertek TEXT))",
    R"(CREATE TABLE EXPORT (exp_id INTEGER PRIMARY KEY AUTOINCREMENT, exp_osz_id INTEGER, exp_usr_id INTEGER))",
    R"(CREATE TABLE INTEZMENY (
        int_id INTEGER PRIMARY KEY AUTOINCREMENT,
        int_nev TEXT, int_omkod TEXT, int_irsz INTEGER, int_varos TEXT, int_ut TEXT))",
    R"(CREATE TABLE LOG (
        log_id INTEGER PRIMARY KEY AUTOINCREMENT,
        log_tabla TEXT, log_rekord_id INTEGER, log_usr_id INTEGER, log_usr_login TEXT,
        log_time_stamp DATETIME, log_megj TEXT))",
};

// The lookups that every window runs often.
const char *const kIndexes[] = {
    "CREATE INDEX ix_ert_tan ON ERTEKELES (ert_tan_id, ert_osz_id, ert_tev_id)",
    "CREATE INDEX ix_ert_osz ON ERTEKELES (ert_osz_id)",
    "CREATE INDEX ix_ert_tev ON ERTEKELES (ert_tev_id)",
    "CREATE INDEX ix_esz_ert ON ERTRESZ (esz_ert_id, esz_akb_id)",
    "CREATE INDEX ix_ata_tev ON ATARGY (ata_tev_id)",
    "CREATE INDEX ix_kpb_ata ON KMPBANK (kpb_ata_id)",
    "CREATE INDEX ix_akb_kpb ON ALKMPBANK (akb_kpb_id)",
    "CREATE INDEX ix_mdb_akb ON MONDATBANK (mdb_akb_id)",
    "CREATE INDEX ix_zdk_ert ON ZARADEK (zdk_ert_id)",
    "CREATE INDEX ix_lap_ert ON LAP (lap_ert_id, lap_tipus)",
    "CREATE INDEX ix_jog ON JOG (jog_usr_id, jog_osz_id)",
    "CREATE INDEX ix_jog_osz ON JOG (jog_osz_id)",
    "CREATE INDEX ix_usr_login ON USERS (usr_login COLLATE NOCASE)",
};

const char *const kClauseTemplates[] = {
    "Tanulmányait egyéni munkarend szerint folytatja.",
    "Az iskolai foglalkozásokon való részvétel alól felmentve.",
    "Mulasztásai miatt osztályozóvizsgát tehet.",
    "Hit- és erkölcstan oktatásban vett részt.",
    "Etika oktatásban vett részt.",
    "Tanulmányait másik iskolában folytatja.",
    "A nevelőtestület dicséretében részesült.",
    "Kiemelkedő tanulmányi munkájáért igazgatói dicséretben részesült.",
    "Sajátos nevelési igénye miatt egyes tantárgyak értékelése alól felmentve.",
    "Évközben érkezett az iskolába.",
    "A bizonyítvány másodlat, az eredetivel mindenben megegyezik.",
    "A szakértői bizottság véleménye alapján fejlesztő foglalkozáson vett részt.",
};

const char *const kDecisionTemplates[] = {
    "Felsőbb évfolyamba léphet.",
    "Az évfolyam követelményeit kiválóan teljesítette, felsőbb évfolyamba léphet.",
    "Az évfolyam követelményeit jól teljesítette, felsőbb évfolyamba léphet.",
    "Az évfolyam követelményeit megfelelően teljesítette, felsőbb évfolyamba léphet.",
    "Felzárkóztatásra szorul, felsőbb évfolyamba léphet.",
    "Az évfolyamot megismételni köteles.",
    "Javítóvizsgát tehet.",
    "Osztályozóvizsgát tehet.",
    "Tanulmányait a következő évfolyamon folytathatja.",
    "A második évfolyamba léphet.",
    "Az első évfolyam követelményeit nem teljesítette, az évfolyamot megismétli.",
    "A nevelőtestület határozata alapján felsőbb évfolyamba léphet.",
};

// Columns added since the first files were made: a file made before gets them when it is opened. Null in
// the rows that were there before.
struct AddedColumn {
    const char *table;
    const char *column;
    const char *type;
};
const AddedColumn kAddedColumns[] = {
    {"ERTEKELES", "ert_biz_nevek", "INTEGER"},
    {"ERTEKELES", "ert_tlap_nevek", "INTEGER"},
};

bool hasColumn(Connection &c, const QString &table, const QString &column) {
    const Recordset columns =
        c.isServer()
            ? c.query(QStringLiteral("SELECT column_name AS name FROM information_schema.columns WHERE "
                                     "table_schema = current_schema() AND table_name = lower(?)"),
                      {table})
            : c.query(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    for (int i = 0; i < columns.count(); ++i)
        if (columns.at(i, QStringLiteral("name")).toString().compare(column, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool upToDate(Connection &c) {
    for (const AddedColumn &a : kAddedColumns)
        if (!hasColumn(c, QString::fromLatin1(a.table), QString::fromLatin1(a.column)))
            return false;
    return true;
}

} // namespace

void Schema::upgrade(Connection &c) {
    // Reading alone first: an up-to-date file, perhaps on a read-only share, is never written.
    if (upToDate(c))
        return;
    // Two programs opening one old file at once: the second sees the first one's columns under the lock.
    Transaction t(c);
    for (const AddedColumn &a : kAddedColumns) {
        const QString table = QString::fromLatin1(a.table);
        const QString column = QString::fromLatin1(a.column);
        if (!hasColumn(c, table, column))
            c.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                       .arg(table, column, QString::fromLatin1(a.type)));
    }
    t.commit();
}

QStringList Schema::tableNames() {
    return {QStringLiteral("USERS"),      QStringLiteral("TANEV"),     QStringLiteral("OSZTALY"),
            QStringLiteral("TANULO"),     QStringLiteral("ERTEKELES"), QStringLiteral("ERTRESZ"),
            QStringLiteral("ATARGY"),     QStringLiteral("KMPBANK"),   QStringLiteral("ALKMPBANK"),
            QStringLiteral("MONDATBANK"), QStringLiteral("ZARADEK"),   QStringLiteral("ZDK_SABLON"),
            QStringLiteral("HAT_SABLON"), QStringLiteral("LAP"),       QStringLiteral("JOG"),
            QStringLiteral("CSOPORT"),    QStringLiteral("CSOPTAG"),   QStringLiteral("PARAMETER"),
            QStringLiteral("EXPORT"),     QStringLiteral("INTEZMENY"), QStringLiteral("LOG")};
}

namespace {

// The server's spelling of the file's table text. Yes/no columns become smallint holding 0/1, so the
// catalogue's integer comparisons read the same on both; keys are identity columns that still take a given
// key, so a copied school keeps its keys.
QString serverText(const char *sql) {
    QString s = QString::fromUtf8(sql);
    s.replace(QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"),
              QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    s.replace(QStringLiteral("BOOLEAN"), QStringLiteral("smallint"));
    s.replace(QStringLiteral("DATETIME"), QStringLiteral("timestamp"));
    s.replace(QStringLiteral("COLLATE NOCASE"), QStringLiteral("COLLATE hu_nocase"));
    return s;
}

} // namespace

void Schema::createTables(Connection &c) {
    const bool server = c.isServer();
    if (server) {
        // HU and HU_NOCASE of the catalogue name these (the server folds unquoted names to lower case).
        c.exec(QStringLiteral("CREATE COLLATION IF NOT EXISTS hu (provider = icu, locale = 'hu-HU')"));
        c.exec(QStringLiteral("CREATE COLLATION IF NOT EXISTS hu_nocase (provider = icu, "
                              "locale = 'hu-HU-u-ks-level2', deterministic = false)"));
    }
    for (const char *sql : kTables)
        c.exec(server ? serverText(sql) : QString::fromUtf8(sql));
    for (const char *sql : kIndexes)
        c.exec(server ? serverText(sql) : QString::fromUtf8(sql));
}

namespace {

// The tables, the indexes and the first rows, in the transaction the caller holds.
void fill(Connection &c) {
    Schema::createTables(c);
    c.query(QStringLiteral("INSERT INTO PARAMETER (par_nev, par_ertek) VALUES ('export', '0')"));
    for (const char *text : kClauseTemplates)
        c.query(QStringLiteral("INSERT INTO ZDK_SABLON (zds_szoveg) VALUES (?)"), {QString::fromUtf8(text)});
    for (const char *text : kDecisionTemplates)
        c.query(QStringLiteral("INSERT INTO HAT_SABLON (hat_szoveg) VALUES (?)"), {QString::fromUtf8(text)});
}

// A database on a server is made in place, in one transaction: it must hold no table yet.
void createOnServer(const QString &uri) {
    Connection c;
    c.open(uri, QByteArray(), false);
    Transaction t(c);
    if (!c.tables().isEmpty())
        throw DbError(QStringLiteral("A(z) „%1” adatbázis nem üres, nem írok bele.").arg(uri));
    fill(c);
    t.commit();
}

} // namespace

void Schema::createDatabase(const QString &path, const QByteArray &key) {
    if (PgConnection::isUri(path))
        return createOnServer(path);
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("A(z) „%1” fájl már létezik, nem írom felül.").arg(path));
    const QString temp = path + QStringLiteral(".uj");
    QFile::remove(temp);
    try {
        Connection c;
        c.create(temp, key.isEmpty() ? databaseKey() : key);
        Transaction t(c);
        fill(c);
        t.commit();
        c.close();
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        throw DbError(QStringLiteral("Az adatbázisfájl nem hozható létre itt: %1").arg(path));
    }
}
