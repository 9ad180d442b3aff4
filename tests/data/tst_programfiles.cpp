// Where the program finds its database and its help page, whether run from a folder or installed.
#include "data/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using ProgramFiles::DatabaseSource;

class tst_programfiles : public QObject {
    Q_OBJECT
private slots:
    void eachSourceOverridesTheNext_data();
    void eachSourceOverridesTheNext();
    void settingsFiles_data();
    void settingsFiles();
    void helpFile_data();
    void helpFile();
};

void tst_programfiles::eachSourceOverridesTheNext_data() {
    QTest::addColumn<QString>(
        "given"); // which of c(ommand line), e(nvironment), u(ser), s(ystem) give a path
    QTest::addColumn<int>("winner");
    QTest::newRow("all four") << "ceus" << int(DatabaseSource::CommandLine);
    QTest::newRow("command line over system") << "cs" << int(DatabaseSource::CommandLine);
    QTest::newRow("environment over settings") << "eus" << int(DatabaseSource::Environment);
    QTest::newRow("environment alone") << "e" << int(DatabaseSource::Environment);
    QTest::newRow("user over system") << "us" << int(DatabaseSource::UserSettings);
    QTest::newRow("system alone") << "s" << int(DatabaseSource::SystemSettings);
    QTest::newRow("nothing given") << "" << int(DatabaseSource::ProgramDir);
}

void tst_programfiles::eachSourceOverridesTheNext() {
    QFETCH(QString, given);
    QFETCH(int, winner);
    const auto path = [&](QChar c) {
        return given.contains(c) ? QStringLiteral("/iskola/%1.dll").arg(c) : QString();
    };
    ProgramFiles::DatabaseSettings settings;
    settings.environment = path(u'e');
    settings.user = path(u'u');
    settings.system = path(u's');
    const auto choice = ProgramFiles::chooseDatabase(path(u'c'), settings, QStringLiteral("/opt/lorvanto"));
    QCOMPARE(int(choice.source), winner);
    const QString expected = given.isEmpty() ? QStringLiteral("/opt/lorvanto/msvcrx.dll")
                                             : QStringLiteral("/iskola/%1.dll").arg(given.at(0));
    QCOMPARE(choice.path, expected);
}

void tst_programfiles::settingsFiles_data() {
    // A file's content, or "<folder>" for a settings file that cannot be read.
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QByteArray>("userFile");
    QTest::addColumn<QByteArray>("systemFile");
    QTest::addColumn<QStringList>("expected"); // environment, user, system
    QTest::addColumn<QString>("problemFile");  // "user", "system" or empty
    QTest::newRow("nothing anywhere")
        << QString() << QByteArray() << QByteArray() << QStringList{{}, {}, {}} << QString();
    QTest::newRow("one line in each")
        << QStringLiteral(" /env/db.dll ") << QByteArray("database=/home/anna/db.dll\n")
        << QByteArray("database = /mnt/iskola/Értékelés/msvcrx.dll\n")
        << QStringList{QStringLiteral("/env/db.dll"), QStringLiteral("/home/anna/db.dll"),
                       QStringLiteral("/mnt/iskola/Értékelés/msvcrx.dll")}
        << QString();
    QTest::newRow("General section, comma in the path")
        << QString() << QByteArray() << QByteArray("[General]\ndatabase=/srv/a,b/msvcrx.dll\nother=1\n")
        << QStringList{{}, {}, QStringLiteral("/srv/a,b/msvcrx.dll")} << QString();
    QTest::newRow("other keys only") << QString() << QByteArray("[Nyomtatas]\ndatabase=/nem/ez.dll\n")
                                     << QByteArray() << QStringList{{}, {}, {}} << QString();
    QTest::newRow("unreadable user file, system still counts")
        << QString() << QByteArray("<folder>") << QByteArray("database=/srv/msvcrx.dll\n")
        << QStringList{{}, {}, QStringLiteral("/srv/msvcrx.dll")} << QStringLiteral("user");
    QTest::newRow("unreadable system file, user still counts")
        << QString() << QByteArray("database=/home/b/msvcrx.dll\n") << QByteArray("<folder>")
        << QStringList{{}, QStringLiteral("/home/b/msvcrx.dll"), {}} << QStringLiteral("system");
}

void tst_programfiles::settingsFiles() {
    QFETCH(QString, environment);
    QFETCH(QByteArray, userFile);
    QFETCH(QByteArray, systemFile);
    QFETCH(QStringList, expected);
    QFETCH(QString, problemFile);
    QTemporaryDir dir;
    const QString files[] = {dir.filePath(QStringLiteral("user")), dir.filePath(QStringLiteral("system"))};
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, files[0]);
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, files[1]);
    const QByteArray contents[] = {userFile, systemFile};
    for (int i = 0; i < 2; ++i) {
        const QString file = files[i] + QStringLiteral("/Lorvanto/lorvanto.conf");
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        if (contents[i] == "<folder>") {
            QVERIFY(QDir().mkpath(file));
        } else if (!contents[i].isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contents[i]);
        }
    }
    if (environment.isNull())
        qunsetenv("LORVANTO_DATABASE");
    else
        qputenv("LORVANTO_DATABASE", environment.toUtf8());

    const ProgramFiles::DatabaseSettings read = ProgramFiles::readDatabaseSettings();
    qunsetenv("LORVANTO_DATABASE");
    QCOMPARE((QStringList{read.environment, read.user, read.system}), expected);
    if (problemFile.isEmpty()) {
        QCOMPARE(read.problems, QStringList());
    } else {
        QCOMPARE(read.problems.size(), 1);
        QVERIFY2(read.problems.at(0).startsWith(QStringLiteral("A beállítófájl nem olvasható")),
                 qPrintable(read.problems.at(0)));
        QVERIFY2(read.problems.at(0).endsWith(dir.filePath(problemFile) +
                                              QStringLiteral("/Lorvanto/lorvanto.conf")),
                 qPrintable(read.problems.at(0)));
    }
}

void tst_programfiles::helpFile_data() {
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("expected"); // relative to the temporary prefix
    QTest::newRow("copied folder") << true << false << "bin/lorvanto.html";
    QTest::newRow("installed package") << false << true << "share/lorvanto/lorvanto.html";
    QTest::newRow("both: beside wins") << true << true << "bin/lorvanto.html";
    QTest::newRow("neither: named beside") << false << false << "bin/lorvanto.html";
}

void tst_programfiles::helpFile() {
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(QString, expected);
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")));
    QVERIFY(root.mkpath(QStringLiteral("share/lorvanto")));
    const auto place = [&](const QString &relative) {
        QFile f(root.filePath(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html></html>");
    };
    if (beside)
        place(QStringLiteral("bin/lorvanto.html"));
    if (installed)
        place(QStringLiteral("share/lorvanto/lorvanto.html"));
    QCOMPARE(ProgramFiles::helpFile(root.filePath(QStringLiteral("bin"))), root.filePath(expected));
}

QTEST_GUILESS_MAIN(tst_programfiles)
#include "tst_programfiles.moc"
