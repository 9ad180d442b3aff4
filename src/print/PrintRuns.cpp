#include "print/PrintRuns.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/modSub.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"
#include "print/SheetRecords.h"
#include "ui/DialogService.h"
#include "ui/frmInput.h"

namespace {

const QString kPotlap = QStringLiteral("pótlapot");

QString officialPrompt(int page, const QString &type) {
    if (type == SheetRecords::kRegisterSheet)
        return PrintRuns::paperPrompt(page, QStringLiteral("lapot"));
    if (page == 1)
        return QStringLiteral("Tegye be az 1. pótlapot az 1. oldalával!");
    if (page == 2)
        return QStringLiteral("Tegye be az 1. pótlapot a 2. oldalával!");
    return PrintRuns::paperPrompt(page, kPotlap);
}

} // namespace

QString PrintRuns::paperPrompt(int page, const QString &sheetWord) {
    return QStringLiteral("Tegye be a(z) ") + QString::number(SheetRecords::sheetCount(page)) +
           QStringLiteral(". ") + sheetWord + QStringLiteral(" a(z) ") + QString::number(page % 2 ? 1 : 2) +
           QStringLiteral(". oldalával!");
}

bool PrintRuns::askPaper(const QString &text) {
    return dialogs().message(m_parent, text, DialogService::Icon::Information,
                             QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool PrintRuns::askSerial(const QString &prompt, QString &serial) {
    frmInput input(m_parent);
    input.setPrompt(prompt);
    dialogs().runModal(&input);
    serial = input.serial().trimmed();
    // A form without a serial cannot be told from another: an empty answer stops like "Mégse".
    return input.answer() == QLatin1String("ok") && !serial.isEmpty();
}

bool PrintRuns::printPage(int page) {
    return m_pc.printDoc(false, page, page);
}

void PrintRuns::printWhole() {
    if (!m_pc.printDialog(m_parent))
        return;
    if (!m_pc.printDoc())
        dialogs().warn(m_parent, QStringLiteral("A nyomtató hibát jelzett a nyomtatás közben."));
}

void PrintRuns::printPageByPage() {
    if (!m_pc.printDialog(m_parent))
        return;
    for (int p = 1; p <= m_pc.pageCount(); ++p) {
        if (!askPaper(paperPrompt(p, kPotlap)))
            return;
        if (!printPage(p)) {
            dialogs().warn(m_parent,
                           QStringLiteral("A nyomtató hibát jelzett a(z) %1. oldal nyomtatásakor.").arg(p));
            return;
        }
    }
}

void PrintRuns::stopRun(qint64 ertId, const QString &type, const QString &reason,
                        const QMap<int, QString> &used, const QList<int> &failed) {
    // Forms already printed on are recorded nowhere else: their serials must not be lost with the run. A log
    // description holds 50 characters, so each form gets an entry of its own after the abort's.
    QStringList entries{type == SheetRecords::kRegisterSheet
                            ? QStringLiteral(" hivatalos torzslap nyomtatas megszakitva")
                            : QStringLiteral(" hivatalos bizonyitvany nyomtatas megszakitva")};
    QStringList forUser;
    for (auto it = used.cbegin(); it != used.cend(); ++it) {
        const bool bad = failed.contains(it.key());
        entries << QStringLiteral(" felhasznalt lap %1: %2%3")
                       .arg(it.key())
                       .arg(it.value(), bad ? QStringLiteral(" hibas") : QString());
        forUser << QStringLiteral("%1. lap: %2%3")
                       .arg(it.key())
                       .arg(it.value(), bad ? QStringLiteral(" (hibás)") : QString());
    }
    QString told = reason;
    if (!told.isEmpty() || !used.isEmpty())
        told += QStringLiteral(
                    "%1A nyomtatás megszakadt; a lapok sorszámai és az értékelés állapota nem változott.")
                    .arg(told.isEmpty() ? QString() : QStringLiteral("\n"));
    if (!used.isEmpty())
        told += QStringLiteral("\nA már felhasznált nyomtatványok sorszáma: ") +
                forUser.join(QStringLiteral(", "));
    try {
        Transaction t(AppData::current().devDB.connection());
        for (const QString &entry : std::as_const(entries))
            modSub::WriteLog(QStringLiteral("ertekeles"), ertId, entry);
        t.commit();
    } catch (const DbError &e) {
        // The user still learns the serials, the only record of them left.
        told += QStringLiteral("\nA naplóba sem sikerült írni: ") + e.message();
    }
    if (!told.isEmpty())
        dialogs().warn(m_parent, told);
}

PrintRuns::Outcome PrintRuns::printOfficial(const PrintData &data, const QString &type, int names) {
    const bool certificate = type == SheetRecords::kCertificate;
    dialogs().message(m_parent,
                      QStringLiteral("FIGYELEM! A hivatalos okmányok kinyomtatása előtt próbálja ki a "
                                     "nyomtatóban, hogy milyen pozíciókban hova nyomtat a nyomtató!"),
                      DialogService::Icon::Exclamation, QMessageBox::Ok, QMessageBox::NoButton,
                      QStringLiteral("FIGYELMEZTETÉS"));
    if (!data.officialPeriod) {
        dialogs().inform(m_parent,
                         QStringLiteral("Nem hivatalos értékelési időszakban nem lehet bizonyítványt "
                                        "nyomtatni!"));
        return {};
    }
    if (data.status == QLatin1String("N")) {
        dialogs().inform(m_parent, QStringLiteral("Az értékelés még nincs véglegesítve!"));
        return {};
    }
    const QString printedText = certificate
                                    ? QStringLiteral("A hivatalos bizonyítvány már ki lett nyomtatva! ")
                                    : QStringLiteral("A hivatalos törzslap már ki lett nyomtatva! ");
    if (SheetRecords::alreadyPrinted(data.status, type)) {
        if (!AppData::current().login.isAdmin) {
            dialogs().inform(m_parent,
                             printedText + QStringLiteral("Csak az adminisztrátor nyomtathat másodlatot"));
            return {};
        }
        if (!dialogs().ask(m_parent, printedText + QStringLiteral("Akar másodlatot nyomtatni?")))
            return {};
        if (m_pc.printDialog(m_parent, true))
            printDuplicate(type);
        return {};
    }
    if (!m_pc.printDialog(m_parent, true))
        return {};

    // The serial typed for each sheet, and the sheets a page of which was sent to the printer.
    QStringList typed;
    QMap<int, QString> used;
    QList<int> failed; // one entry per failed page
    try {
        for (int p = 1; p <= m_pc.pageCount(); ++p) {
            const int k = SheetRecords::sheetCount(p);
            if (p % 2 == 1) {
                QString serial;
                if (!askSerial(QStringLiteral("Kérem, adja meg a(z) ") + QString::number(k) +
                                   QStringLiteral(". lap sorszámát: "),
                               serial)) {
                    stopRun(data.ertId, type, QString(), used, failed);
                    return {};
                }
                typed.append(serial);
            }
            if (!askPaper(officialPrompt(p, type))) {
                stopRun(data.ertId, type, QString(), used, failed);
                return {};
            }
            // A page the printer reported an error for is a failed sheet, as if the user had said so.
            const bool printed = printPage(p);
            used.insert(k, typed.at(k - 1));
            if (printed && dialogs().ask(m_parent, QStringLiteral("Sikerült a nyomtatás?")))
                continue;
            failed.append(k);
            dialogs().message(
                m_parent,
                QStringLiteral("A hibás lapo(ka)t az értékelés nyomtatásánál tudja újra nyomtatni!"),
                DialogService::Icon::Information, QMessageBox::Ok, QMessageBox::NoButton,
                QStringLiteral("Információ"));
        }
        // Any failed page spoils its sheet: a good back page does not make up for a failed front.
        QStringList serials = typed;
        for (const int k : std::as_const(failed))
            serials[k - 1] = SheetRecords::kFailed;
        SheetRecords::recordRun(data.ertId, type, serials, failed, names);
    } catch (const PrintError &e) {
        stopRun(data.ertId, type, e.message(), used, failed);
        return {};
    } catch (const DbError &e) {
        stopRun(data.ertId, type, e.message(), used, failed);
        return {};
    }
    return {true, !failed.isEmpty()};
}

bool PrintRuns::printDuplicate(const QString &type) {
    for (int p = 1; p <= m_pc.pageCount(); ++p) {
        if (!askPaper(officialPrompt(p, type)))
            return false;
        if (!printPage(p)) {
            dialogs().warn(m_parent,
                           QStringLiteral("A nyomtató hibát jelzett a(z) %1. oldal nyomtatásakor.").arg(p));
            return false;
        }
    }
    return true;
}

bool PrintRuns::reprintSheet(qint64 ertId, const QString &type, int sheet) {
    QString serial;
    if (!askSerial(QStringLiteral("Kérem, adja meg a lap sorszámát: "), serial))
        return false;
    const int front = 2 * sheet - 1;
    const int back = 2 * sheet;
    if (!askPaper(QStringLiteral("Tegye be a pótlapot az 1. oldalával!")))
        return false;
    bool good = printPage(front);
    // A sheet whose back page is empty has no back page in the document: only its front is printed.
    if (back <= m_pc.pageCount()) {
        if (!askPaper(QStringLiteral("Tegye be a pótlapot a 2. oldalával!")))
            return false;
        good = printPage(back) && good;
    }
    if (!good || !dialogs().ask(m_parent, QStringLiteral("Sikerült a nyomtatás?")))
        return false;
    SheetRecords::storeReprint(ertId, type, sheet, serial);
    return true;
}
