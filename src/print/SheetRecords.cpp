#include "print/SheetRecords.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/modSub.h"
#include "print/PrintControl.h"

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

QString storedStatus(qint64 ertId) {
    const Recordset rating = AppData::current().devDB.run(QStringLiteral("getRatingStatus"), {ertId});
    return rating.count() ? rating.at(0, QStringLiteral("ert_vegleges")).toString() : QString();
}

int namesCode(const PrintOptions &options) {
    return options.competencyNames ? 2 : options.subjectNames ? 1 : 0;
}

void applyNames(int code, PrintOptions &options) {
    options.subjectNames = code >= 1;
    options.competencyNames = code >= 2;
}

void recordRun(qint64 ertId, const QString &type, const QStringList &serials, const QList<int> &failedPages,
               int names) {
    Connection &c = AppData::current().devDB.connection();
    Transaction t(c);
    // Read under the write lock: a run of another window that finished meanwhile is seen here.
    const QString stored = storedStatus(ertId);
    if (alreadyPrinted(stored, type))
        throw PrintError(type == kRegisterSheet
                             ? QStringLiteral("A hivatalos törzslapot közben máshol már kinyomtatták.")
                             : QStringLiteral("A hivatalos bizonyítványt közben máshol már kinyomtatták."));
    if (stored.isEmpty() || stored == QLatin1String("N"))
        throw PrintError(QStringLiteral("Az értékelés közben már nincs véglegesítve."));
    for (int k = 1; k <= serials.size(); ++k)
        runPrintCommand(c, QStringLiteral("insOldal"), {ertId, serials.at(k - 1), type, k});
    runPrintCommand(c,
                    type == kRegisterSheet ? QStringLiteral("setTlapNevek") : QStringLiteral("setBizNevek"),
                    {names, ertId});
    runPrintCommand(c, QStringLiteral("setErt_vegleges"), {advancedStatus(stored, type), ertId});
    for (const int k : failedPages)
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
