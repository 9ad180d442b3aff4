#pragma once

#include "data/AppData.h"
#include "data/Schema.h"
#include "data/modSub.h"

#include <QTemporaryDir>
#include <memory>

// A new database file in a temporary folder, opened as the current program data.
struct BenchDatabase {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("msvcrx.dll"));
    std::unique_ptr<AppData> app;

    BenchDatabase() {
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
    void loginAs(qint64 usrId) {
        app->login.currentUser = db().run(QStringLiteral("getSpecUser"), {usrId}).record();
        app->login.isAdmin = app->login.currentUser.toBool(QStringLiteral("usr_admin_rights"));
    }
};
