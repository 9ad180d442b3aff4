#include "admin/PupilSheet.h"
#include "data/AppData.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/KeyChange.h"
#include "data/PgConnection.h"
#include "data/ProgramFiles.h"
#include "data/Schema.h"
#include "data/SchoolCopy.h"
#include "data/modSub.h"
#include "print/ClassPdf.h"
#include "print/PdfExport.h"
#include "print/PrintControl.h"
#include "shell/ProgramLook.h"
#include "shell/frmAuth.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>

namespace {

struct Options {
    QString createDatabase;
    // --school-key with --create-database: the new file gets a fresh key of the school's own
    bool schoolKey = false;
    QString database;
    QString keyFile;
    // --copy-database FROM TO: a whole school into an empty database, each a file or a server URI
    QString copyFrom;
    QString copyTo;
    // --rekey PATH: converts the database to a fresh school key
    QString rekey;
    bool startupProbe = false;
    // --print-pdf RATING_ID FILE [certificate|a4|register]
    bool printPdf = false;
    qint64 printRating = 0;
    // --print-pdf --class OSZ_ID FILE [kind]: every pupil of a class
    qint64 printClass = 0;
    QString printFile;
    QString printKind = QStringLiteral("certificate");
    // --read-xls PATH: the program reading a pupil list for itself in a child process
    QString readXls;
    bool ok = true;
};

Options parse(int argc, char **argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (std::strcmp(a, "--create-database") == 0 && i + 1 < argc)
            o.createDatabase = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(a, "--database") == 0 && i + 1 < argc)
            o.database = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(a, "--school-key") == 0)
            o.schoolKey = true;
        else if (std::strcmp(a, "--key-file") == 0 && i + 1 < argc)
            o.keyFile = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(a, "--copy-database") == 0 && i + 2 < argc) {
            o.copyFrom = QString::fromLocal8Bit(argv[++i]);
            o.copyTo = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(a, "--rekey") == 0 && i + 1 < argc)
            o.rekey = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(a, "--read-xls") == 0 && i + 1 < argc)
            o.readXls = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(a, "--print-pdf") == 0 && i + 2 < argc) {
            o.printPdf = true;
            const bool wholeClass = std::strcmp(argv[i + 1], "--class") == 0;
            if (wholeClass && ++i + 2 >= argc) {
                o.ok = false;
                break;
            }
            // A key is a positive number; a wrong one must not fall through to another document.
            bool number = false;
            const qint64 key = QString::fromLocal8Bit(argv[++i]).toLongLong(&number);
            if (!number || key <= 0)
                o.ok = false;
            (wholeClass ? o.printClass : o.printRating) = key;
            o.printFile = QString::fromLocal8Bit(argv[++i]);
            if (i + 1 < argc && argv[i + 1][0] != '-')
                o.printKind = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(a, "--startup-probe") == 0)
            o.startupProbe = true;
        else
            o.ok = false; // an option not known here, or one without its value
    }
    // A school key belongs to a new file only.
    if (o.schoolKey && o.createDatabase.isEmpty())
        o.ok = false;
    return o;
}

// The database and the keys named on the command line and in the settings; a settings file that cannot be
// read is told on the error output and left out.
void readSettings(AppData &data, const Options &o) {
    data.databaseOverride = o.database;
    data.keyFile = o.keyFile;
    data.databaseSettings = ProgramFiles::readDatabaseSettings();
    for (const QString &problem : data.databaseSettings.problems)
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
}

// The key's settings line goes to standard output alone, so that it can be taken as it is; everything else
// to the error output.
void printKeyLine(const QByteArray &raw) {
    std::printf("%s\n", DatabaseKey::settingsLine(raw).toLatin1().constData());
    std::fflush(stdout);
}

int createDatabase(int argc, char **argv, const Options &o) {
    QCoreApplication app(argc, argv);
    if (o.schoolKey && PgConnection::isUri(o.createDatabase)) {
        std::fprintf(stderr, "Az iskola saját kulcsa csak adatbázisfájlt titkosít; kiszolgálón lévő "
                             "adatbázishoz nem adható meg.\n");
        return 2;
    }
    QByteArray raw;
    try {
        if (o.schoolKey)
            raw = DatabaseKey::generate();
        Schema::createDatabase(o.createDatabase, raw.isEmpty() ? QByteArray() : DatabaseKey::engineKey(raw));
    } catch (const DbError &e) {
        std::fprintf(stderr, "Az adatbázis nem hozható létre: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    if (raw.isEmpty()) {
        std::printf("Új, üres adatbázis: %s\n", o.createDatabase.toLocal8Bit().constData());
        return 0;
    }
    std::fprintf(
        stderr,
        "Új, üres adatbázis az iskola saját kulcsával: %s\nA kulcs az alábbi sorban van; a program "
        "sehová nem írta le. Tegye minden gép beállítófájljába, és őrizze meg biztos helyen: nélküle "
        "az adatbázis nem olvasható.\n",
        o.createDatabase.toLocal8Bit().constData());
    printKeyLine(raw);
    return 0;
}

// Copies a whole school into an empty database: file or server on either side.
int copyDatabase(int argc, char **argv, const Options &o) {
    QCoreApplication app(argc, argv);
    AppData data;
    readSettings(data, o);
    QList<SchoolCopy::Table> tables;
    try {
        tables = SchoolCopy::copy(data, o.copyFrom, o.copyTo);
    } catch (const DbError &e) {
        std::fprintf(stderr, "Az adatbázis nem másolható át: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    qint64 all = 0;
    for (const SchoolCopy::Table &t : tables) {
        std::printf("%s: %lld sor\n", t.name.toLocal8Bit().constData(), t.rows);
        all += t.rows;
    }
    std::printf("Átmásolva, a sorok száma egyezik a forráséval: %lld sor, %s -> %s\n", all,
                o.copyFrom.toLocal8Bit().constData(), o.copyTo.toLocal8Bit().constData());
    return 0;
}

// Converts a database to a fresh school key of its own.
int rekeyDatabase(int argc, char **argv, const Options &o) {
    QCoreApplication app(argc, argv);
    AppData data;
    readSettings(data, o);
    KeyChange::Result r;
    try {
        if (!PgConnection::isUri(o.rekey) && !QFileInfo(o.rekey).isFile())
            throw DatabaseMissing(o.rekey);
        r = KeyChange::convert(o.rekey, data.databaseKeys());
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    std::fprintf(stderr,
                 "Az adatbázis mostantól az iskola saját kulcsával van titkosítva: %s\nA korábbi kulccsal "
                 "titkosított biztonsági másolata: %s\nAz új kulcs az alábbi sorban van; tegye minden gép "
                 "beállítófájljába, és őrizze meg biztos helyen: nélküle az adatbázis nem olvasható.\n",
                 o.rekey.toLocal8Bit().constData(), r.backup.toLocal8Bit().constData());
    printKeyLine(r.raw);
    return 0;
}

// Composes the trial document of one rating into a PDF file, without windows.
int printPdf(int argc, char **argv, const Options &o) {
    // Fonts need a GUI application; a machine without a display has none but the offscreen one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrintOptions::Document kind;
    if (!PdfExport::parseKind(o.printKind, kind)) {
        std::fprintf(stderr, "Ismeretlen dokumentum: %s (certificate, a4 vagy register)\n",
                     o.printKind.toLocal8Bit().constData());
        return 2;
    }
    AppData data;
    readSettings(data, o);
    try {
        data.openDatabase(modSub::GetDatabasePath());
        if (o.printClass) {
            const PdfExport::ClassResult r = PdfExport::writeClass(o.printClass, kind, o.printFile);
            if (r.written == 0) {
                std::fprintf(stderr,
                             "Az osztály egyetlen tanulójának sincs még értékelése; a PDF nem készült el.\n");
                return 1;
            }
            std::printf(
                "%s\n",
                ClassPdf::report(o.printFile, r.written, r.skipped, r.pages).toLocal8Bit().constData());
            return 0;
        }
        PdfExport::writeDocuments(o.printFile, {PdfExport::composeTrial(data.devPrint, o.printRating, kind)});
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    } catch (const PrintError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    std::printf("%s\n", o.printFile.toLocal8Bit().constData());
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    const Options options = parse(argc, argv);
    if (!options.ok) {
        std::fprintf(
            stderr, "Használat: lorvanto [--database ÚTVONAL|URI] [--key-file FÁJL]\n"
                    "       lorvanto --create-database ÚTVONAL [--school-key]\n"
                    "       lorvanto --create-database URI\n"
                    "       lorvanto [--key-file FÁJL] --copy-database HONNAN HOVÁ  (fájl ÚTVONAL vagy URI)\n"
                    "       lorvanto [--key-file FÁJL] --rekey ÚTVONAL\n"
                    "       lorvanto [--database ÚTVONAL|URI] [--key-file FÁJL] --print-pdf ÉRTÉKELÉS FÁJL "
                    "[certificate|a4|register]\n"
                    "       lorvanto [--database ÚTVONAL|URI] [--key-file FÁJL] --print-pdf --class OSZTÁLY "
                    "FÁJL [certificate|a4|register]\n"
                    "  URI: postgresql://FELHASZNÁLÓ@GÉP:PORT/ADATBÁZIS (a jelszó a ~/.pgpass fájlban)\n");
        return 2;
    }
    if (!options.createDatabase.isEmpty())
        return createDatabase(argc, argv, options);
    if (!options.copyFrom.isEmpty())
        return copyDatabase(argc, argv, options);
    if (!options.rekey.isEmpty())
        return rekeyDatabase(argc, argv, options);
    if (options.printPdf)
        return printPdf(argc, argv, options);
    if (!options.readXls.isEmpty()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            return 1;
        return PupilSheet::readXlsForParent(options.readXls, out);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lorvanto"));
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.lorvanto.Lorvanto"));
    ProgramLook::install();
    PupilSheet::setXlsReaderProgram(QCoreApplication::applicationFilePath());
    // The program itself decides when it ends (closing the login or the main window), not the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    QLocale::setDefault(hungarian);
    QTranslator qtTexts;
    if (qtTexts.load(hungarian, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    AppData data;
    data.databaseOverride = options.database;
    data.keyFile = options.keyFile;
    data.databaseSettings = ProgramFiles::readDatabaseSettings();
    frmAuth auth;
    if (!auth.load())
        return 1;
    auth.show();
    if (options.startupProbe) {
        // For the start-up benchmark: report when the login window has been shown, then end.
        QTimer::singleShot(0, &app, [&] {
            QTextStream(stdout) << "startup-ms " << sinceStart.nsecsElapsed() / 1e6 << Qt::endl;
            QApplication::quit();
        });
    }
    return app.exec();
}
