#include "print/SheetRecords.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/modSub.h"

namespace SheetRecords {

namespace {

// The log goes through the main command set; a printing command runs on the same connection here, so the
// sheets, the status and their log entries share one transaction.
Recordset runPrintCommand(Connection &on, const QString &name, const QVariantList &values) {
    Command command(on, AppData::current().devPrint.command(name).definition());
    return command.execute(values);
}

} // namespace

bool alreadyPrinted(const QString &status, const QString &type) {
    return status == QLatin1String("P") || status == type;
}

QString advancedStatus(const QString &status, const QString &type) {
    if (status == QLatin1String("I"))
        return type;
    const QString other = type == kCertificate ? kRegisterSheet : kCertificate;
    if (status == other)
        return QStringLiteral("P");
    return status;
}

void recordRun(qint64 ertId, const QString &type, const QStringList &serials,
               const QList<int> &failedSheets) {
    Connection &c = AppData::current().devDB.connection();
    Transaction t(c);
    for (int k = 1; k <= serials.size(); ++k)
        runPrintCommand(c, QStringLiteral("insOldal"), {ertId, serials.at(k - 1), type, k});
    const Recordset rating =
        c.query(QStringLiteral("SELECT ert_vegleges FROM ERTEKELES WHERE ert_id = ?"), {ertId});
    const QString stored =
        rating.count() ? rating.at(0, QStringLiteral("ert_vegleges")).toString() : QString();
    runPrintCommand(c, QStringLiteral("setErt_vegleges"), {advancedStatus(stored, type), ertId});
    for (const int k : failedSheets)
        modSub::WriteLog(QStringLiteral("ertekeles"), ertId,
                         QStringLiteral(" hibas nyomtatas a ") + QString::number(k) +
                             QStringLiteral(".lapnal"));
    modSub::WriteLog(QStringLiteral("ertekeles"), ertId,
                     QStringLiteral(" hivatalos biz. nyomtatas befejezve"));
    t.commit();
}

void storeReprint(qint64 ertId, const QString &type, int sheet, const QString &serial) {
    Connection &c = AppData::current().devDB.connection();
    Transaction t(c);
    runPrintCommand(c, QStringLiteral("updLapsorszam"), {serial, ertId, type, sheet});
    const QString what = type == kRegisterSheet
                             ? QStringLiteral(" update hibas torzslap lapsorszam ertekeles: ")
                             : QStringLiteral(" update hibas biz. lapsorszam ertekeles: ");
    modSub::WriteLog(QStringLiteral("LAP"), ertId,
                     what + QString::number(ertId) + QStringLiteral(",B,") + QString::number(sheet));
    t.commit();
}

} // namespace SheetRecords
