// Many teachers at once on one database file: each teacher is a separate copy of the program's data layer
// (this program started again as a worker), with its own connection, as separate computers have. Each opens
// the ratings of his class one after the other, types and saves every two seconds through the editor's
// save, while two administrators list the classes and print a certificate to PDF every five seconds.
// BM_TeachersAtOnceServer does the same on a PostgreSQL server: LORVANTO_BENCH_POSTGRES names the maintenance
// database of a cluster (scripts/pg-cluster start DIR 700 prints one), where each run makes a new database.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "admin/SchoolYear.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/PgConnection.h"
#include "print/PdfExport.h"
#include "print/PrintControl.h"
#include "rating/PendingEdits.h"
#include "rating/RatingLock.h"
#include "rating/RatingParts.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace {

// How long every teacher works; LORVANTO_LOAD_SECONDS shortens it for a quick try.
constexpr int kWorkSeconds = 20;
constexpr int kSaveEveryMs = 2000;
constexpr int kSavesPerPupil = 3;
constexpr int kPrintEveryMs = 5000;
constexpr int kAdmins = 2;
constexpr int kPupilsPerClass = 25;
constexpr int kPartsPerRating = 6;
const char *const kWorkerFlag = "--load-worker";

int workMs() {
    const int seconds = qEnvironmentVariableIntValue("LORVANTO_LOAD_SECONDS");
    return (seconds > 0 ? seconds : kWorkSeconds) * 1000;
}

// What one worker tells the benchmark when it is done, one item a line in its result file.
struct WorkerResult {
    QList<double> saveMs; // every save tried, failed ones included
    int saves = 0;        // the saves that succeeded
    int errors = 0;
    QStringList messages;
    // (rating, sub-competency) -> the text last saved successfully.
    QHash<QPair<qint64, qint64>, QString> lastSaved;
};

void writeResult(const QString &path, const WorkerResult &r) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QTextStream out(&f);
    for (double ms : r.saveMs)
        out << "save " << ms << '\n';
    out << "saves " << r.saves << '\n';
    out << "errors " << r.errors << '\n';
    for (const QString &m : r.messages)
        out << "message " << m.toUtf8().toBase64() << '\n';
    for (auto it = r.lastSaved.cbegin(); it != r.lastSaved.cend(); ++it)
        out << "part " << it.key().first << ' ' << it.key().second << ' ' << it.value().toUtf8().toBase64()
            << '\n';
}

WorkerResult readResult(const QString &path, bool &ok) {
    WorkerResult r;
    QFile f(path);
    ok = f.open(QIODevice::ReadOnly);
    while (ok && !f.atEnd()) {
        const QList<QByteArray> w = f.readLine().trimmed().split(' ');
        if (w.value(0) == "save")
            r.saveMs << w.value(1).toDouble();
        else if (w.value(0) == "saves")
            r.saves = w.value(1).toInt();
        else if (w.value(0) == "errors")
            r.errors = w.value(1).toInt();
        else if (w.value(0) == "message")
            r.messages << QString::fromUtf8(QByteArray::fromBase64(w.value(1)));
        else if (w.value(0) == "part")
            r.lastSaved.insert({w.value(1).toLongLong(), w.value(2).toLongLong()},
                               QString::fromUtf8(QByteArray::fromBase64(w.value(3))));
    }
    return r;
}

// ---- the workers ---------------------------------------------------------------------------------------

struct WorkerArgs {
    QString role, database, resultFile;
    qint64 user = 0, osz = 0, tev = 0;
};

void noteError(WorkerResult &r, const QString &where, const QString &message) {
    ++r.errors;
    if (r.messages.size() < 5)
        r.messages << where + QStringLiteral(": ") + message;
}

void openAs(AppData &app, const WorkerArgs &a) {
    app.openDatabase(a.database);
    app.login.currentUser = app.devDB.run(QStringLiteral("getSpecUser"), {a.user}).record();
    app.login.isAdmin = app.login.currentUser.toBool(QStringLiteral("usr_admin_rights"));
    app.login.loggedIn = true;
}

// Says it is ready and waits for the word to start, so that every worker works in the same time window.
void waitForStart() {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
}

// Says it is done and waits until every worker is, before its connections close and the process ends: a
// hundred copies leaving at once would load the machine while the others still save, which no school sees.
void waitForEnd() {
    std::fputs("done\n", stdout);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
}

// A teacher: opens the ratings of his class pupil by pupil, takes the lock, types into a part that has text
// and into one that has none yet, saves every two seconds as the editor's save and autosave do (the parts,
// then the header, then the stored part shown again), and releases the lock when moving on.
void teacher(const WorkerArgs &a, WorkerResult &r) {
    AppData app;
    AppData::setCurrent(&app);
    openAs(app, a);
    CommandSet &db = app.devDB;
    const Recordset pupils = db.run(QStringLiteral("getStudentsByClass"), {a.osz});
    const Recordset subs =
        db.connection().query(QStringLiteral("SELECT akb_id FROM ALKMPBANK ORDER BY akb_id"));
    QRandomGenerator rng(quint32(a.user));
    waitForStart();

    QDeadlineTimer end(workMs());
    // Teachers do not all press a key in the same millisecond: each starts somewhere in the first interval.
    QThread::msleep(rng.bounded(quint32(kSaveEveryMs)));
    int saveNo = 0;
    for (int p = 0; !end.hasExpired() && pupils.count(); ++p) {
        const qint64 tan = pupils.at(p % pupils.count(), QStringLiteral("tan_id")).toLongLong();
        qint64 ert = 0;
        Record header;
        try {
            const Recordset rating = modSub::OpenOrCreateRating(tan, a.osz, a.tev);
            ert = rating.field(QStringLiteral("ert_id")).toLongLong();
            header = rating.record();
            if (!RatingLock::take(ert, a.user)) {
                noteError(r, QStringLiteral("lock"), QStringLiteral("the rating was locked by someone else"));
                continue;
            }
        } catch (const DbError &e) {
            noteError(r, QStringLiteral("open"), e.message());
            QThread::msleep(kSaveEveryMs);
            continue;
        }
        // The first part was filled when the school year began; the other is a random one not yet written.
        const QList<qint64> akbs = {
            subs.at(0, QStringLiteral("akb_id")).toLongLong(),
            subs.at(kPartsPerRating + int(rng.bounded(subs.count() - kPartsPerRating)),
                    QStringLiteral("akb_id"))
                .toLongLong()};
        struct Part {
            qint64 akb = 0, esz = 0;
            QString text;
        };
        QList<Part> parts;
        PendingEdits edits;
        auto showStored = [&] {
            parts.clear();
            for (qint64 akb : akbs) {
                const Recordset rs = RatingParts::loadPart(ert, akb);
                parts.append(
                    Part{akb, rs.count() ? rs.field(QStringLiteral("esz_id")).toLongLong() : 0,
                         rs.count() ? rs.field(QStringLiteral("esz_szoveg")).toString() : QString()});
            }
        };
        auto save = [&] {
            QElapsedTimer t;
            t.start();
            try {
                if (!RatingParts::save(ert, edits)) {
                    noteError(r, QStringLiteral("save"),
                              QStringLiteral("the rating was finalised meanwhile"));
                    return;
                }
                ++r.saves;
                for (const Part &part : parts)
                    r.lastSaved.insert({ert, part.akb}, RatingParts::trimBlanks(part.text));
                edits.clear();
                db.run(QStringLiteral("updateMainRatingData"),
                       {header.value(QStringLiteral("ert_mulaszt")),
                        header.value(QStringLiteral("ert_igazolatlan")),
                        header.value(QStringLiteral("ert_hatarozat_evf")),
                        header.value(QStringLiteral("ert_keltezes")), ert});
                showStored();
            } catch (const DbError &e) {
                noteError(r, QStringLiteral("save"), e.message());
            }
            r.saveMs << double(t.nsecsElapsed()) / 1e6;
        };
        try {
            showStored();
        } catch (const DbError &e) {
            noteError(r, QStringLiteral("load"), e.message());
        }
        for (int s = 0; s < kSavesPerPupil && !end.hasExpired() && parts.size() == akbs.size(); ++s) {
            // Typing for two seconds, a few words into each part.
            QThread::msleep(kSaveEveryMs);
            ++saveNo;
            for (Part &part : parts) {
                part.text += QStringLiteral(" Ügyesen olvas, szépen ír (%1/%2).").arg(a.user).arg(saveNo);
                edits.store(part.esz == 0, part.esz == 0 ? part.akb : part.esz, part.text);
            }
            save();
        }
        // Moving on: what is still unsaved is saved first, as the editor asks.
        if (!edits.isEmpty())
            save();
        try {
            RatingLock::release(ert);
        } catch (const DbError &e) {
            noteError(r, QStringLiteral("release"), e.message());
        }
    }
    waitForEnd();
}

// An administrator: every five seconds lists the classes of the period, as the classes window does, and
// writes the certificate of a pupil to PDF.
void administrator(const WorkerArgs &a, WorkerResult &r) {
    AppData app;
    AppData::setCurrent(&app);
    openAs(app, a);
    const Recordset ratings = app.devDB.connection().query(QStringLiteral("SELECT ert_id FROM ERTEKELES"));
    QTemporaryDir dir;
    QRandomGenerator rng(quint32(a.user));
    waitForStart();

    QDeadlineTimer end(workMs());
    while (!end.hasExpired()) {
        QDeadlineTimer next(kPrintEveryMs);
        try {
            const Recordset classes = app.devDB.run(QStringLiteral("getPeriodClasses"), {a.tev});
            for (int i = 0; i < classes.count(); ++i) {
                const qint64 osz = classes.at(i, QStringLiteral("osz_id")).toLongLong();
                benchmark::DoNotOptimize(modSub::GetClassRight(osz));
                benchmark::DoNotOptimize(SchoolYear::isClassLocked(osz));
            }
            const qint64 ert =
                ratings.at(int(rng.bounded(ratings.count())), QStringLiteral("ert_id")).toLongLong();
            PdfExport::writeDocuments(
                dir.filePath(QStringLiteral("bizonyitvany.pdf")),
                {PdfExport::composeTrial(app.devPrint, ert, PrintOptions::Document::Certificate)});
        } catch (const DbError &e) {
            noteError(r, QStringLiteral("admin"), e.message());
        } catch (const PrintError &e) {
            noteError(r, QStringLiteral("print"), e.message());
        }
        QThread::msleep(quint64(std::max<qint64>(0, std::min(next.remainingTime(), end.remainingTime()))));
    }
    waitForEnd();
}

int runWorker(int argc, char **argv) {
    WorkerArgs a;
    a.role = QString::fromLocal8Bit(argv[2]);
    a.database = QString::fromLocal8Bit(argv[3]);
    a.resultFile = QString::fromLocal8Bit(argv[4]);
    a.user = QByteArray(argv[5]).toLongLong();
    a.osz = QByteArray(argv[6]).toLongLong();
    a.tev = QByteArray(argv[7]).toLongLong();
    // The administrator draws pages, which needs fonts: a GUI application, off screen.
    std::unique_ptr<QCoreApplication> app;
    if (a.role == QLatin1String("admin")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    WorkerResult r;
    try {
        if (a.role == QLatin1String("admin"))
            administrator(a, r);
        else
            teacher(a, r);
    } catch (const DbError &e) {
        noteError(r, QStringLiteral("start"), e.message());
    }
    writeResult(a.resultFile, r);
    return 0;
}

// ---- the benchmark -------------------------------------------------------------------------------------

// A new, empty database on the cluster that LORVANTO_BENCH_POSTGRES names, dropped again afterwards; skip
// says why there is none. Every worker holds two connections (its data and its printing), so a cluster that
// allows fewer than the run needs is refused before anything starts.
struct ServerDatabase {
    const QString server = qEnvironmentVariable("LORVANTO_BENCH_POSTGRES");
    QString name, uri, skip;

    explicit ServerDatabase(int connections) {
        if (server.isEmpty()) {
            skip =
                QStringLiteral("PostgreSQL skipped: LORVANTO_BENCH_POSTGRES is not set (the URI of a "
                               "cluster's maintenance database, e.g. from scripts/pg-cluster start DIR 700)");
            return;
        }
        try {
            PgConnection admin;
            admin.open(server);
            const int allowed =
                admin
                    .query(QStringLiteral("SELECT current_setting('max_connections')::int - "
                                          "current_setting('superuser_reserved_connections')::int AS n"))
                    .at(0, QStringLiteral("n"))
                    .toInt();
            if (allowed < connections) {
                skip =
                    QStringLiteral("PostgreSQL skipped: the server allows %1 connections, the workers need "
                                   "%2 (scripts/pg-cluster start DIR 700)")
                        .arg(allowed)
                        .arg(connections);
                return;
            }
            static int serial = 0;
            name = QStringLiteral("lv_bench_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
            admin.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(name));
            QUrl url(server);
            url.setPath(QLatin1Char('/') + name);
            uri = url.toString();
        } catch (const DbError &e) {
            name.clear();
            skip = QStringLiteral("PostgreSQL server %1: %2").arg(server, e.message());
        }
    }
    ~ServerDatabase() {
        if (name.isEmpty())
            return;
        try {
            PgConnection admin;
            admin.open(server);
            admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
        } catch (const DbError &e) {
            std::cerr << "  database " << name.toStdString()
                      << " left on the server: " << e.message().toStdString() << '\n';
        }
    }
};

// One database (a file, or the server database named) with a curriculum, and per teacher a class of pupils
// whose ratings have a few parts filled; the teachers are the form teachers of their classes.
struct School {
    BenchDatabase b;
    qint64 tev = 0;
    QList<qint64> teachers, classes, admins;

    School(int teacherCount, const QString &database) : b(database) {
        Connection &c = b.db().connection();
        c.query(QStringLiteral("INSERT INTO INTEZMENY (int_omkod, int_varos) VALUES ('027384', 'Pécs')"));
        for (int i = 0; i < kAdmins; ++i)
            admins << b.insertUser(QStringLiteral("admin%1").arg(i), true);
        tev = b.insertActivePeriod();
        fillCurriculum(b.db(), tev);
        const QList<qint64> subs = [&] {
            const Recordset rs = c.query(QStringLiteral("SELECT akb_id FROM ALKMPBANK ORDER BY akb_id"));
            QList<qint64> ids;
            for (int i = 0; i < kPartsPerRating; ++i)
                ids << rs.at(i, QStringLiteral("akb_id")).toLongLong();
            return ids;
        }();
        Transaction t(c);
        for (int k = 0; k < teacherCount; ++k) {
            const qint64 usr = b.insertUser(QStringLiteral("tanito%1").arg(k), false);
            b.db().run(QStringLiteral("createClass"),
                       {tev, 1 + k % 8, QString(QChar(u'a' + k / 8)), usr, 2024 - k % 8, QString()});
            const qint64 osz = modSub::GetLastKey(QStringLiteral("OSZTALY"));
            for (int p = 0; p < kPupilsPerClass; ++p) {
                const qint64 ert = b.insertRatedPupil(osz, tev, QStringLiteral("Őrs %1-%2").arg(k).arg(p), p);
                for (qint64 akb : subs)
                    b.db().run(
                        QStringLiteral("createRatingData"),
                        {ert, akb, QStringLiteral("Órákon figyelmes, a feladatokat önállóan végzi el.")});
            }
            teachers << usr;
            classes << osz;
        }
        t.commit();
    }
};

double percentile(QList<double> v, double p) {
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.at(std::min(qsizetype(p * double(v.size())), v.size() - 1));
}

void teachersAtOnce(benchmark::State &state, const QString &database) {
    const int n = int(state.range(0));
    School school(n, database);
    const QString self = QCoreApplication::applicationFilePath();
    QList<double> saveMs;
    int saves = 0, errors = 0, lost = 0, workersFailed = 0;
    QStringList messages;
    for (auto _ : state) {
        std::vector<std::unique_ptr<QProcess>> workers;
        QStringList results;
        auto start = [&](const QString &role, qint64 user, qint64 osz) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            results << school.b.dir.filePath(QStringLiteral("result-%1.txt").arg(workers.size()));
            p->start(self, {QString::fromLatin1(kWorkerFlag), role, school.b.path, results.last(),
                            QString::number(user), QString::number(osz), QString::number(school.tev)});
            workers.push_back(std::move(p));
        };
        for (int k = 0; k < n; ++k)
            start(QStringLiteral("teacher"), school.teachers.at(k), school.classes.at(k));
        for (qint64 admin : school.admins)
            start(QStringLiteral("admin"), admin, 0);
        // Every copy opens the database first; then all begin at the same moment. Every copy also keeps its
        // connections until all are done.
        auto waitForLine = [&](const QDeadlineTimer &until) {
            for (auto &p : workers) {
                while (p->state() != QProcess::NotRunning && !p->canReadLine() && !until.hasExpired())
                    p->waitForReadyRead(1000);
                p->readLine();
            }
        };
        auto tell = [&](const char *word, bool last) {
            for (auto &p : workers) {
                // Without an event loop the word leaves only while waited for.
                p->write(word);
                p->waitForBytesWritten(1000);
                if (last)
                    p->closeWriteChannel();
            }
        };
        waitForLine(QDeadlineTimer(120000));
        tell("go\n", false);
        waitForLine(QDeadlineTimer(workMs() + 120000));
        tell("end\n", true);
        for (auto &p : workers) {
            p->waitForFinished(workMs() + 120000);
            if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0)
                ++workersFailed;
        }
        state.PauseTiming();
        // Every text a teacher saved last must be what the database holds now.
        for (const QString &path : std::as_const(results)) {
            bool ok = false;
            const WorkerResult r = readResult(path, ok);
            workersFailed += ok ? 0 : 1;
            saveMs += r.saveMs;
            saves += r.saves;
            errors += r.errors;
            messages += r.messages;
            for (auto it = r.lastSaved.cbegin(); it != r.lastSaved.cend(); ++it) {
                const Recordset rs = RatingParts::loadPart(it.key().first, it.key().second);
                if (rs.count() != 1 || rs.field(QStringLiteral("esz_szoveg")).toString() != it.value())
                    ++lost;
            }
        }
        state.ResumeTiming();
    }
    for (const QString &m : QSet<QString>(messages.cbegin(), messages.cend()))
        std::cerr << "  error shown: " << m.toStdString() << '\n';
    state.counters["saves"] = saves;
    state.counters["lost"] = lost;
    state.counters["errors_shown"] = errors;
    state.counters["workers_failed"] = workersFailed;
    state.counters["save_p50_ms"] = percentile(saveMs, 0.50);
    state.counters["save_p95_ms"] = percentile(saveMs, 0.95);
    state.counters["save_max_ms"] = saveMs.isEmpty() ? 0 : *std::max_element(saveMs.cbegin(), saveMs.cend());
}

void BM_TeachersAtOnce(benchmark::State &state) {
    teachersAtOnce(state, QString());
}
BENCHMARK(BM_TeachersAtOnce)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

void BM_TeachersAtOnceServer(benchmark::State &state) {
    // The workers, the benchmark's own data and printing connections, and a few to spare.
    ServerDatabase server(2 * (int(state.range(0)) + kAdmins) + 4);
    if (!server.skip.isEmpty()) {
        state.SkipWithError(server.skip.toStdString().c_str());
        return;
    }
    teachersAtOnce(state, server.uri);
}
BENCHMARK(BM_TeachersAtOnceServer)
    ->Arg(30)
    ->Arg(100)
    ->Arg(300)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv) {
    if (argc >= 8 && qstrcmp(argv[1], kWorkerFlag) == 0)
        return runWorker(argc, argv);
    return runBenchmarks(argc, argv, false);
}
