#include "print/PrintRuns.h"

#include "data/AppData.h"
#include "data/modSub.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"
#include "print/SheetRecords.h"
#include "shell/DialogService.h"
#include "shell/frmInput.h"

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

void PrintRuns::logAbort(qint64 ertId, const QString &type) {
    modSub::WriteLog(QStringLiteral("ertekeles"), ertId,
                     type == SheetRecords::kRegisterSheet
                         ? QStringLiteral(" hivatalos torzslap nyomtatas megszakitva")
                         : QStringLiteral(" hivatalos bizonyitvany nyomtatas megszakitva"));
}

PrintRuns::Outcome PrintRuns::printOfficial(const PrintData &data, const QString &type) {
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
        if (m_pc.printDialog(m_parent))
            printDuplicate(type);
        return {};
    }
    if (!m_pc.printDialog(m_parent))
        return {};

    QStringList serials;
    QList<int> failed;
    QString typed;
    try {
        for (int p = 1; p <= m_pc.pageCount(); ++p) {
            const int k = SheetRecords::sheetCount(p);
            if (p % 2 == 1) {
                if (!askSerial(QStringLiteral("Kérem, adja meg a(z) ") + QString::number(k) +
                                   QStringLiteral(". lap sorszámát: "),
                               typed)) {
                    logAbort(data.ertId, type);
                    return {};
                }
                serials.append(typed);
            }
            if (!askPaper(officialPrompt(p, type))) {
                logAbort(data.ertId, type);
                return {};
            }
            // A page the printer reported an error for is a failed sheet, as if the user had said so.
            const bool good =
                printPage(p) && dialogs().ask(m_parent, QStringLiteral("Sikerült a nyomtatás?"));
            if (good) {
                serials[k - 1] = typed;
                continue;
            }
            serials[k - 1] = SheetRecords::kFailed;
            failed.append(k);
            dialogs().message(
                m_parent,
                QStringLiteral("A hibás lapo(ka)t az értékelés nyomtatásánál tudja újra nyomtatni!"),
                DialogService::Icon::Information, QMessageBox::Ok, QMessageBox::NoButton,
                QStringLiteral("Információ"));
        }
    } catch (const PrintError &e) {
        logAbort(data.ertId, type);
        dialogs().warn(m_parent,
                       e.message() + QStringLiteral("\nA nyomtatás megszakadt; a lapok sorszámai és az "
                                                    "értékelés állapota nem változott."));
        return {};
    }
    SheetRecords::recordRun(data.ertId, type, serials, failed);
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
