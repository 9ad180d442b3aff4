#include "shell/LogExport.h"

#include "data/AppData.h"
#include "data/WriteTarget.h"
#include "exchange/CodePage1250.h"

#include <QLocale>
#include <QSaveFile>

QString LogExport::formatDate(const QVariant &timeStamp) {
    if (timeStamp.isNull())
        return QString();
    QDate date = timeStamp.toDate();
    if (!date.isValid())
        date = QDateTime::fromString(timeStamp.toString(), Qt::ISODate).date();
    if (!date.isValid())
        return timeStamp.toString();
    static const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    return hungarian.toString(date, QStringLiteral("yyyy. MMMM dd."));
}

QString LogExport::line(const QStringList &values) {
    // Semicolons and quotation marks inside the values are written as they are: readers of these files
    // take the line apart the same simple way.
    return QLatin1Char('"') + values.join(QLatin1Char(';')) + QStringLiteral("\"\r\n");
}

QByteArray LogExport::contents(const Recordset &log) {
    QString text = line({QStringLiteral("Táblanév"), QStringLiteral("Rekord"), QStringLiteral("Felhasználó"),
                         QStringLiteral("Dátum"), QStringLiteral("Leírás")});
    for (int i = 0; i < log.count(); ++i)
        text += line({log.at(i, QStringLiteral("log_tabla")).toString(),
                      log.at(i, QStringLiteral("log_rekord_id")).toString(),
                      log.at(i, QStringLiteral("log_usr_login")).toString(),
                      formatDate(log.at(i, QStringLiteral("log_time_stamp"))),
                      log.at(i, QStringLiteral("log_megj")).toString()});
    return CodePage1250::encode(text);
}

bool LogExport::exportAndClear(const QString &path, QString *error) {
    if (const QString refused = WriteTarget::refusal(path); !refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    CommandSet &db = AppData::current().devDB;
    Transaction t(db.connection());
    const QByteArray bytes = contents(db.run(QStringLiteral("getAllLog")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    db.run(QStringLiteral("clearLog"));
    t.commit();
    return true;
}
