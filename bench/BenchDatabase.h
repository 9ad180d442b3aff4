#pragma once

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/Schema.h"
#include "data/modSub.h"

#include <QDate>
#include <QTemporaryDir>
#include <memory>

// A new database file in a temporary folder, opened as the current program data; or, given the URI of an
// empty server database, the same tables made there (the folder still holds what else the benchmark writes).
struct BenchDatabase {
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<AppData> app;

    explicit BenchDatabase(const QString &database = QString())
        : path(database.isEmpty() ? dir.filePath(QStringLiteral("msvcrx.dll")) : database) {
        Schema::createDatabase(path);
        app = std::make_unique<AppData>();
        AppData::setCurrent(app.get());
        app->programDir = dir.path();
        app->openDatabase(path);
    }
    ~BenchDatabase() { AppData::setCurrent(nullptr); }
    CommandSet &db() { return app->devDB; }
    qint64 insertUser(const QString &login, bool admin) {
        db().connection().query(
            QStringLiteral("INSERT INTO USERS (usr_nev, usr_login, usr_admin_rights) VALUES (?, ?, ?)"),
            {login, login, admin ? 1 : 0});
        return modSub::GetLastKey(QStringLiteral("USERS"));
    }
    // A period "2024 Félév", made the active one; gives its key.
    qint64 insertActivePeriod() {
        db().run(QStringLiteral("addTanev"),
                 {2024, QStringLiteral("Félév"), QStringLiteral("Igen"), QString()});
        const qint64 tev = modSub::GetLastKey(QStringLiteral("TANEV"));
        db().run(QStringLiteral("updateActivePeriod"), {tev});
        return tev;
    }
    // A pupil "Tanuló <given>" with the register serial number, in the class and period with his rating;
    // gives the rating's key.
    qint64 insertRatedPupil(qint64 osz, qint64 tev, const QString &given, int number) {
        db().run(QStringLiteral("createKid"),
                 {QStringLiteral("Tanuló"), given, QStringLiteral("Anyja Neve"), QString(),
                  QStringLiteral("Pécs"), QStringLiteral("Magyarország"), QDate(2015, 3, 14),
                  QStringLiteral("T-%1").arg(number), QString::number(number + 1)});
        const qint64 tan = modSub::GetLastKey(QStringLiteral("TANULO"));
        return modSub::OpenOrCreateRating(tan, osz, tev).field(QStringLiteral("ert_id")).toLongLong();
    }
    void loginAs(qint64 usrId) {
        app->login.currentUser = db().run(QStringLiteral("getSpecUser"), {usrId}).record();
        app->login.isAdmin = app->login.currentUser.toBool(QStringLiteral("usr_admin_rights"));
    }
};

constexpr int kSubjects = 20, kComps = 5, kSubComps = 5, kSentences = 20;

// A curriculum of 10,000 sentences in 20 x 5 x 5 sub-competencies.
inline void fillCurriculum(CommandSet &db, qint64 tev) {
    Transaction t(db.connection());
    for (int s = 0; s < kSubjects; ++s) {
        db.run(QStringLiteral("createSubject"), {QStringLiteral("Tantárgy %1").arg(s), tev});
        const qint64 ata = modSub::GetLastKey(QStringLiteral("ATARGY"));
        for (int c = 0; c < kComps; ++c) {
            db.run(QStringLiteral("createComp"), {ata, QStringLiteral("Kompetencia %1").arg(c)});
            const qint64 kpb = modSub::GetLastKey(QStringLiteral("KMPBANK"));
            for (int a = 0; a < kSubComps; ++a) {
                db.run(QStringLiteral("createSubComp"), {kpb, QStringLiteral("Részterület %1").arg(a)});
                const qint64 akb = modSub::GetLastKey(QStringLiteral("ALKMPBANK"));
                for (int m = 0; m < kSentences; ++m)
                    db.run(
                        QStringLiteral("addSentence2"),
                        {akb,
                         QStringLiteral("A tanuló a(z) %1. mondat szerint szépen dolgozik az órákon.").arg(m),
                         QStringLiteral("M"), 1});
            }
        }
    }
    t.commit();
}
