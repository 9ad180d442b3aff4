// The print window driven as a user does: trial and official runs, their records of sheets and status,
// the faulty-sheet reprint, the check boxes that recompose, and printing from the rating editor. Pages go to
// a recorder instead of a printer.
#include "EditorSession.h"
#include "RatingRows.h"
#include "ScriptedDialogService.h"
#include "data/Connection.h"
#include "print/DocumentLayout.h"
#include "print/PrintControl.h"
#include "print/PrintRuns.h"
#include "print/frmPrint.h"
#include "rating/RatingHeaderView.h"
#include "rating/frmMain.h"
#include "ui/frmInput.h"

#include "rating/EditorWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

namespace {

using Icon = DialogService::Icon;

const QString kWarning = QStringLiteral("FIGYELEM! A hivatalos okmányok kinyomtatása előtt próbálja ki a "
                                        "nyomtatóban, hogy milyen pozíciókban hova nyomtat a nyomtató!");
const QString kSuccess = QStringLiteral("Sikerült a nyomtatás?");
const QString kFaulty = QStringLiteral("A hibás lapo(ka)t az értékelés nyomtatásánál tudja újra nyomtatni!");

// A rating with enough text for two sheets of every document.
struct PrintFixture {
    TestDatabase t;
    RatingRows rows{t};
    RatingRows::Rating r;
    qint64 admin = 0, teacher = 0;
    ScriptedDialogService dialogs;
    // The pages the printer received, one entry per page; a page listed in failAt reports an error, and
    // the page in breakAt finds no printer.
    QList<int> printed;
    QList<int> failAt;
    int breakAt = 0;

    explicit PrintFixture(const QString &status = QStringLiteral("I")) {
        Transaction rowsAtOnce(t.db().connection());
        rows.setSchool(QStringLiteral("027384"), QStringLiteral("Pécs"));
        r = rows.makeRating(QStringLiteral("Kovács"), QStringLiteral("Ödön"), status);
        const QString sentence = QStringLiteral("Órákon figyelmes, a feladatokat önállóan és pontosan végzi "
                                                "el, szívesen olvas, írása rendezett. ")
                                     .repeated(6);
        for (int s = 0; s < 30; ++s)
            rows.addPart(r.ertId,
                         rows.addBranch(r.tevId, QStringLiteral("Tantárgy %1").arg(s),
                                        QStringLiteral("Terület"), QStringLiteral("Alterület")),
                         sentence);
        admin = t.addUser(QStringLiteral("igazgato"), QStringLiteral("Igazgató"), true);
        teacher = t.addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false);
        rowsAtOnce.commit();
        t.loginAs(teacher);
    }

    void open(frmPrint &w) {
        w.setRating(r.ertId, r.tanId);
        w.load();
        w.control()->setOutput([this](const PrintDocument &, int first, int last) {
            for (int p = first; p <= last; ++p) {
                if (p == breakAt)
                    throw PrintError(QStringLiteral("A nyomtató nem érhető el: teszt"));
                printed.append(p);
                if (failAt.contains(p))
                    return false;
            }
            return true;
        });
    }

    // The serial typed and confirmed in the input window; an empty one gives up ("megse").
    void expectSerial(const QString &serial) {
        dialogs.expectModal(QStringLiteral("frmInput"), typeSerial(serial));
        if (serial.isEmpty())
            dialogs.expectMessage(QStringLiteral("Biztos felfüggeszti a nyomtatást?"), Icon::Question,
                                  QMessageBox::Yes);
        else
            dialogs.expectMessage(QStringLiteral("Helyes a sorszám: ") + serial + QStringLiteral(" ?"),
                                  Icon::Question, QMessageBox::Yes);
    }
    static std::function<int(QDialog *)> typeSerial(const QString &serial) {
        return [serial](QDialog *d) {
            auto *input = qobject_cast<frmInput *>(d);
            input->txtInput->setText(serial);
            (serial.isEmpty() ? input->cmdMegse : input->cmdOk)->click();
            return d->result();
        };
    }

    QStringList sheets(const QString &type) {
        QStringList out;
        const Recordset rs = t.db().connection().query(
            QStringLiteral("SELECT lap_szam, lap_sorszam FROM LAP WHERE lap_ert_id = ? AND lap_tipus = ? "
                           "ORDER BY lap_szam"),
            {r.ertId, type});
        for (int i = 0; i < rs.count(); ++i)
            out << rs.at(i, QStringLiteral("lap_szam")).toString() + QLatin1Char(':') +
                       rs.at(i, QStringLiteral("lap_sorszam")).toString();
        return out;
    }
    QString status() {
        return t.scalar(QStringLiteral("SELECT ert_vegleges FROM ERTEKELES WHERE ert_id = ?"), {r.ertId})
            .toString();
    }
    QStringList log() {
        QStringList out;
        const Recordset rs =
            t.db().connection().query(QStringLiteral("SELECT log_megj FROM LOG ORDER BY log_id"));
        for (int i = 0; i < rs.count(); ++i)
            out << rs.at(i, QStringLiteral("log_megj")).toString();
        return out;
    }
};

void chooseTab(frmPrint &w, int tab, QRadioButton *option) {
    w.TabStrip1->setCurrentIndex(tab);
    if (option && !option->isChecked())
        option->click();
}

QStringList comboItems(const QComboBox *c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

QString officialPrompt(int page, bool certificate) {
    if (!certificate)
        return PrintRuns::paperPrompt(page, QStringLiteral("lapot"));
    if (page == 1)
        return QStringLiteral("Tegye be az 1. pótlapot az 1. oldalával!");
    if (page == 2)
        return QStringLiteral("Tegye be az 1. pótlapot a 2. oldalával!");
    return PrintRuns::paperPrompt(page, QStringLiteral("pótlapot"));
}

} // namespace

class tst_printwindow : public QObject {
    Q_OBJECT
private slots:
    void officialRefusals_data();
    void officialRefusals();
    void administratorDuplicateRecordsNothing();
    void officialRun_data();
    void officialRun();
    void stoppedRunWritesNothing_data();
    void stoppedRunWritesNothing();
    void reprintFaultySheet_data();
    void reprintFaultySheet();
    void trialPrintingAndOptions();
    void printingFromTheEditor();
};

void tst_printwindow::officialRefusals_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("officialPeriod");
    QTest::addColumn<QString>("message");
    const QString notFinal = QStringLiteral("Az értékelés még nincs véglegesítve!");
    const QString notOfficial =
        QStringLiteral("Nem hivatalos értékelési időszakban nem lehet bizonyítványt nyomtatni!");
    QTest::newRow("certificate N") << 0 << "N" << true << notFinal;
    QTest::newRow("register N") << 1 << "N" << true << notFinal;
    QTest::newRow("certificate, period not official") << 0 << "I" << false << notOfficial;
    QTest::newRow("register, period not official") << 1 << "I" << false << notOfficial;
    QTest::newRow("teacher, certificate printed")
        << 0 << "P" << true
        << "A hivatalos bizonyítvány már ki lett nyomtatva! Csak az adminisztrátor nyomtathat másodlatot";
    QTest::newRow("teacher, register printed")
        << 1 << "T" << true
        << "A hivatalos törzslap már ki lett nyomtatva! Csak az adminisztrátor nyomtathat másodlatot";
    QTest::newRow("teacher, certificate printed in another window")
        << 0 << "I>B" << true
        << "A hivatalos bizonyítvány már ki lett nyomtatva! Csak az adminisztrátor nyomtathat másodlatot";
}

void tst_printwindow::officialRefusals() {
    QFETCH(int, tab);
    QFETCH(QString, status);
    QFETCH(bool, officialPeriod);
    QFETCH(QString, message);
    PrintFixture f(status.section(QLatin1Char('>'), 0, 0));
    if (!officialPeriod)
        f.t.db().connection().query(QStringLiteral("UPDATE TANEV SET tev_hivatalos = 'Nem'"));
    frmPrint w;
    f.open(w);
    chooseTab(w, tab, tab == 0 ? w.optBHivatalos : w.optTHivatalosA4);
    status = status.section(QLatin1Char('>'), -1);
    f.t.db().connection().query(QStringLiteral("UPDATE ERTEKELES SET ert_vegleges = ?"), {status});
    f.dialogs.expectMessage(kWarning, Icon::Exclamation);
    f.dialogs.expectMessage(message, Icon::Information);
    w.btnPrint->click();
    QVERIFY(f.dialogs.verifyDone());
    QVERIFY(f.printed.isEmpty());
    QCOMPARE(f.status(), status);
    QVERIFY(f.sheets(QStringLiteral("B")).isEmpty() && f.sheets(QStringLiteral("T")).isEmpty());
}

void tst_printwindow::administratorDuplicateRecordsNothing() {
    PrintFixture f(QStringLiteral("B"));
    f.rows.addSheet(f.r.ertId, QStringLiteral("B"), 1, QStringLiteral("A-1"));
    f.t.loginAs(f.admin);
    frmPrint w;
    f.open(w);
    QVERIFY(w.control()->page(1).findText(DocumentLayout::duplicateMark()));
    f.dialogs.expectMessage(kWarning, Icon::Exclamation);
    f.dialogs.expectMessage(
        QStringLiteral("A hivatalos bizonyítvány már ki lett nyomtatva! Akar másodlatot nyomtatni?"),
        Icon::Question, QMessageBox::Yes);
    f.dialogs.expectPrintDialog(true);
    for (int p = 1; p <= w.pageCount(); ++p)
        f.dialogs.expectMessage(officialPrompt(p, true), Icon::Information);
    w.btnPrint->click();
    QVERIFY(f.dialogs.verifyDone());
    QCOMPARE(f.printed.size(), w.pageCount());
    QCOMPARE(f.status(), QStringLiteral("B"));
    QCOMPARE(f.sheets(QStringLiteral("B")), QStringList({"1:A-1"}));
}

void tst_printwindow::officialRun_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("advanced");
    QTest::addColumn<QString>("lastPage"); // "good", "answered No", "printer error", or "front answered No"
    QTest::newRow("certificate, last sheet failed") << 0 << "I"
                                                    << "B"
                                                    << "answered No";
    QTest::newRow("register after the certificate") << 1 << "B"
                                                    << "P"
                                                    << "answered No";
    QTest::newRow("certificate, printer error") << 0 << "I"
                                                << "B"
                                                << "printer error";
    QTest::newRow("register, all good") << 1 << "I"
                                        << "T"
                                        << "good";
    QTest::newRow("certificate, front page failed") << 0 << "I"
                                                    << "B"
                                                    << "front answered No";
}

void tst_printwindow::officialRun() {
    QFETCH(int, tab);
    QFETCH(QString, status);
    QFETCH(QString, advanced);
    QFETCH(QString, lastPage);
    const bool lastSheetFails = lastPage != QLatin1String("good");
    const bool front = lastPage.startsWith(QLatin1String("front"));
    PrintFixture f(status);
    frmPrint w;
    f.open(w);
    chooseTab(w, tab, tab == 0 ? w.optBHivatalos : w.optTHivatalosA4);
    w.chbKompetencia->click();
    w.control()->printer().setCopyCount(2); // left from an earlier print dialog
    const bool certificate = tab == 0;
    const QString type = certificate ? QStringLiteral("B") : QStringLiteral("T");
    const int pages = w.pageCount();
    const int sheets = (pages + 1) / 2;
    const int failSheet = front ? 1 : sheets;
    QVERIFY2(sheets >= 2, qPrintable(QString::number(pages)));
    QVERIFY(!w.cmbHiba->isVisible());

    f.dialogs.expectMessage(kWarning, Icon::Exclamation);
    f.dialogs.expectPrintDialog(true);
    QStringList expected;
    for (int p = 1; p <= pages; ++p) {
        const int k = (p + 1) / 2;
        if (p % 2)
            f.expectSerial(QStringLiteral("S-%1").arg(k));
        f.dialogs.expectMessage(officialPrompt(p, certificate), Icon::Information);
        // Only the last page fails: after a good front page of its sheet, the last answer has the last word.
        const bool fails = lastSheetFails && p == (front ? 1 : pages);
        // A page the printer reported an error for is failed without asking.
        if (fails && lastPage == QLatin1String("printer error"))
            f.failAt = {p};
        else
            f.dialogs.expectMessage(kSuccess, Icon::Question, fails ? QMessageBox::No : QMessageBox::Yes);
        if (fails)
            f.dialogs.expectMessage(kFaulty, Icon::Information);
        if (p % 2)
            expected << QStringLiteral("%1:S-%1").arg(k);
    }
    if (lastSheetFails)
        expected[failSheet - 1] = QStringLiteral("%1:HIBA").arg(failSheet);
    w.show();
    w.btnPrint->click();
    QVERIFY(f.dialogs.verifyDone());
    QCOMPARE(f.printed.size(), pages);
    QVERIFY(w.control()->printer().copyCount() == 1 &&
            f.dialogs.printDialogsOneWholeCopy() == QList<bool>({true}));
    QCOMPARE(f.sheets(type), expected);
    QCOMPARE(f.status(), advanced);
    QVERIFY(f.log().contains(QStringLiteral(" hivatalos biz. nyomtatas befejezve")));
    QCOMPARE(f.log().contains(QStringLiteral(" hibas nyomtatas a %1.lapnal").arg(failSheet)), lastSheetFails);
    QVERIFY(w.chbKompetencia->isChecked() && !w.chbKompetencia->isEnabled());
    // The window reloaded: the failed sheet is offered for reprinting, and a second run is a duplicate.
    QCOMPARE(w.cmbHiba->isVisible(), lastSheetFails);
    QCOMPARE(comboItems(w.cmbHiba),
             lastSheetFails ? QStringList({QStringLiteral("%1.").arg(failSheet)}) : QStringList());
    QCOMPARE(w.data().status, advanced);
    f.dialogs.expectMessage(kWarning, Icon::Exclamation);
    f.dialogs.expectMessage(
        (certificate ? QStringLiteral("A hivatalos bizonyítvány") : QStringLiteral("A hivatalos törzslap")) +
            QStringLiteral(" már ki lett nyomtatva! Csak az adminisztrátor nyomtathat másodlatot"),
        Icon::Information);
    w.btnPrint->click();
    QVERIFY(f.dialogs.verifyDone());
}

void tst_printwindow::stoppedRunWritesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("megse at the second serial") << "megse";
    QTest::newRow("cancel at the paper") << "cancel";
    QTest::newRow("printer gone half-way") << "printer";
    QTest::newRow("printed meanwhile in another window") << "meanwhile";
}

void tst_printwindow::stoppedRunWritesNothing() {
    QFETCH(QString, how);
    const bool meanwhile = how == QLatin1String("meanwhile");
    PrintFixture f;
    frmPrint w;
    f.open(w);
    const int pages = meanwhile ? w.pageCount() : 2;
    f.dialogs.expectMessage(kWarning, Icon::Exclamation);
    f.dialogs.expectPrintDialog(true);
    for (int p = 1; p <= pages; ++p) {
        if (p % 2)
            f.expectSerial(QStringLiteral("S-%1").arg((p + 1) / 2));
        f.dialogs.expectMessage(officialPrompt(p, true), Icon::Information);
        f.dialogs.expectMessage(kSuccess, Icon::Question, QMessageBox::Yes, [&f, p, pages, meanwhile] {
            if (meanwhile && p == pages)
                f.t.db().connection().query(QStringLiteral("UPDATE ERTEKELES SET ert_vegleges = 'B'"));
        });
    }
    if (how == QLatin1String("megse")) {
        f.expectSerial(QString());
    } else if (!meanwhile) {
        f.expectSerial(QStringLiteral("S-2"));
        if (how == QLatin1String("printer"))
            f.breakAt = 3;
        f.dialogs.expectMessage(officialPrompt(3, true), Icon::Information,
                                how == QLatin1String("cancel") ? QMessageBox::Cancel : QMessageBox::Ok);
    }
    f.dialogs.expectMessage(how == QLatin1String("printer")
                                ? QStringLiteral("A nyomtató nem érhető el: teszt*")
                                : QStringLiteral("*"),
                            Icon::Exclamation);
    w.btnPrint->click();
    QVERIFY(f.dialogs.verifyDone());
    QCOMPARE(f.printed.size(), pages);
    QVERIFY(f.sheets(QStringLiteral("B")).isEmpty());
    QCOMPARE(f.status(), meanwhile ? QStringLiteral("B") : QStringLiteral("I"));
    QStringList log{QStringLiteral(" hivatalos bizonyitvany nyomtatas megszakitva")};
    for (int k = 1; k <= (pages + 1) / 2; ++k)
        log << QStringLiteral(" felhasznalt lap %1: S-%1").arg(k);
    QCOMPARE(f.log(), log);
    QVERIFY(f.dialogs.shown().last().text.endsWith(QStringLiteral("%1. lap: S-%1").arg((pages + 1) / 2)));
}

void tst_printwindow::reprintFaultySheet_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("printerError");
    QTest::newRow("yes") << QMessageBox::Yes << false;
    QTest::newRow("no") << QMessageBox::No << false;
    QTest::newRow("printer reports an error") << QMessageBox::Yes << true;
}

void tst_printwindow::reprintFaultySheet() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, printerError);
    PrintFixture f(QStringLiteral("B"));
    f.rows.addSheet(f.r.ertId, QStringLiteral("B"), 1, QStringLiteral("HIBA"));
    f.rows.addSheet(f.r.ertId, QStringLiteral("B"), 2, QStringLiteral("HIBA"));
    f.rows.addSheet(f.r.ertId, QStringLiteral("B"), 50, QStringLiteral("HIBA"));
    // The run printed every name; the window's boxes start unticked.
    f.t.db().connection().query(QStringLiteral("UPDATE ERTEKELES SET ert_biz_nevek = 2"));
    frmPrint w;
    f.open(w);
    w.show();
    // Only sheets the document has are offered, in ascending order.
    QVERIFY(w.pageCount() >= 4);
    QCOMPARE(comboItems(w.cmbHiba), QStringList({"1.", "2."}));
    QVERIFY(w.btnHibasNyomtat->isVisible());
    w.cmbHiba->setCurrentIndex(1);
    if (printerError)
        f.failAt = {4};
    f.dialogs.expectPrintDialog(true);
    f.expectSerial(QStringLiteral("Új-7"));
    f.dialogs.expectMessage(QStringLiteral("Tegye be a pótlapot az 1. oldalával!"), Icon::Information);
    f.dialogs.expectMessage(QStringLiteral("Tegye be a pótlapot a 2. oldalával!"), Icon::Information);
    if (!printerError)
        f.dialogs.expectMessage(kSuccess, Icon::Question, answer);
    w.btnHibasNyomtat->click();
    QVERIFY(f.dialogs.verifyDone());
    QCOMPARE(f.printed, QList<int>({3, 4}));
    QVERIFY(w.control()->page(4).allText().contains(QStringLiteral("Terület: Alterület: ")));
    QCOMPARE(f.dialogs.printDialogsOneWholeCopy(), QList<bool>({true}));
    // The reprinted pages carried no duplicate mark although the certificate was printed before.
    const bool stored = answer == QMessageBox::Yes && !printerError;
    QCOMPARE(
        f.sheets(QStringLiteral("B")),
        QStringList({"1:HIBA", stored ? QStringLiteral("2:Új-7") : QStringLiteral("2:HIBA"), "50:HIBA"}));
    QCOMPARE(comboItems(w.cmbHiba), stored ? QStringList({"1."}) : QStringList({"1.", "2."}));
    QCOMPARE(f.log().contains(
                 QStringLiteral(" update hibas biz. lapsorszam ertekeles: %1,B,2").arg(f.r.ertId).left(50)),
             stored);
    // Back in the ordinary state the duplicate mark returns.
    QVERIFY(w.control()->page(1).findText(DocumentLayout::duplicateMark()));
}

void tst_printwindow::trialPrintingAndOptions() {
    PrintFixture f(QStringLiteral("N"));
    frmPrint w;
    f.open(w);
    w.show();
    // The register sheet tab shows only its frame.
    chooseTab(w, 1, w.optTElonezetA4);
    QVERIFY(w.fmeTorzslap->isVisible() && !w.fmeBizonyitvany->isVisible());
    QCOMPARE(w.control()->document().paper.orientation, 0);
    // Trial register sheet: page by page, Cancel at the second page ends the run.
    f.dialogs.expectPrintDialog(true);
    f.dialogs.expectMessage(QStringLiteral("Tegye be a(z) 1. pótlapot a(z) 1. oldalával!"),
                            Icon::Information);
    f.dialogs.expectMessage(QStringLiteral("Tegye be a(z) 1. pótlapot a(z) 2. oldalával!"), Icon::Information,
                            QMessageBox::Cancel);
    w.btnPrint->click();
    QVERIFY(f.dialogs.verifyDone());
    QCOMPARE(f.printed, QList<int>({1}));

    // The trial certificate goes out whole, in status "N" too.
    f.printed.clear();
    chooseTab(w, 0, w.optBElonezet);
    QCOMPARE(w.control()->document().paper.orientation, 1);
    f.dialogs.expectPrintDialog(true);
    w.btnPrint->click();
    QVERIFY(f.dialogs.verifyDone());
    QCOMPARE(f.printed.size(), w.pageCount());

    // The competency option ticks the subject option; names then appear in the text.
    const QString subject = QStringLiteral("Tantárgy 0");
    QVERIFY(!w.control()->page(2).allText().contains(subject));
    const QSignalSpy drawn(w.control(), &PrintControl::documentChanged);
    w.chbAlKomp->click();
    QCOMPARE(drawn.count(), 1);
    QVERIFY(w.chbKompetencia->isChecked());
    QVERIFY(w.control()->page(2).allText().contains(subject + QStringLiteral(": ")));
    QVERIFY(w.control()->page(2).allText().contains(QStringLiteral("Terület: Alterület: ")));

    // "Kézi papír" answered No stays unticked; Yes leaves only the text on the front page.
    QVERIFY(w.control()->page(1).findText(QStringLiteral("OM azonosító:")));
    f.dialogs.expectMessage(QStringLiteral("Figyelem! Kézi kitöltésű papír*"), Icon::Question,
                            QMessageBox::No);
    w.chbKeziPapir->click();
    QVERIFY(!w.chbKeziPapir->isChecked());
    f.dialogs.expectMessage(QStringLiteral("Figyelem! Kézi kitöltésű papír*"), Icon::Question,
                            QMessageBox::Yes);
    w.chbKeziPapir->click();
    QVERIFY(w.chbKeziPapir->isChecked());
    QVERIFY(!w.control()->page(1).findText(QStringLiteral("OM azonosító:")));
    QVERIFY(f.dialogs.verifyDone());
}

void tst_printwindow::printingFromTheEditor() {
    EditorSession s;
    s.db.db().connection().query(QStringLiteral("UPDATE ERTEKELES SET ert_vegleges = 'I' WHERE ert_id = ?"),
                                 {s.ratingOf(0)});
    frmMain *editor = s.openEditor(s.school.teacher);
    s.choosePupil(editor, 0);
    QVERIFY(editor->header->btnPrint->isEnabled());
    QList<int> printed;
    s.dialogs.expectModal(QStringLiteral("frmPrint"), [&](QDialog *d) {
        auto *w = qobject_cast<frmPrint *>(d);
        w->control()->setOutput([&](const PrintDocument &, int first, int) {
            printed << first;
            return true;
        });
        s.dialogs.expectMessage(kWarning, Icon::Exclamation);
        s.dialogs.expectPrintDialog(true);
        s.dialogs.expectModal(QStringLiteral("frmInput"), PrintFixture::typeSerial(QStringLiteral("AB-1")));
        s.dialogs.expectMessage(QStringLiteral("Helyes a sorszám: AB-1 ?"), Icon::Question, QMessageBox::Yes);
        s.dialogs.expectMessage(QStringLiteral("Tegye be az 1. pótlapot az 1. oldalával!"),
                                Icon::Information);
        s.dialogs.expectMessage(kSuccess, Icon::Question, QMessageBox::Yes);
        s.dialogs.expectMessage(QStringLiteral("Tegye be az 1. pótlapot a 2. oldalával!"), Icon::Information);
        s.dialogs.expectMessage(kSuccess, Icon::Question, QMessageBox::Yes);
        w->btnPrint->click();
        w->cmdKilep->click();
        return d->result();
    });
    editor->header->btnPrint->click();
    QVERIFY(s.dialogs.verifyDone());
    QCOMPARE(printed, QList<int>({1, 2}));
    // The editor shows the recorded sheet and the new status: a printed rating cannot be reopened.
    QCOMPARE(editor->header->List2->count(), 1);
    QCOMPARE(editor->header->List2->item(0)->text(), QStringLiteral("1: AB-1"));
    QVERIFY(!editor->header->btnClose->isEnabled());
    QVERIFY(editor->windowTitle().endsWith(QStringLiteral(" - Végleges")));

    // Unsaved text is saved first, or nothing is printed.
    s.choosePupil(editor, 1);
    editor->txtRating->setFocus();
    editor->txtRating->insertPlainText(QStringLiteral("Szépen számol."));
    const QString save = QStringLiteral("A folytatáshoz el kell menteni az adatokat. Elmenti?");
    s.dialogs.expectMessage(save, Icon::Question, QMessageBox::No);
    editor->header->btnPrint->click();
    QVERIFY(editor->isDirty());
    s.dialogs.expectMessage(save, Icon::Question, QMessageBox::Yes);
    QString previewed;
    s.dialogs.expectModal(QStringLiteral("frmPrint"), [&](QDialog *d) {
        previewed = qobject_cast<frmPrint *>(d)->control()->document().pages.last().allText();
        return int(QDialog::Accepted);
    });
    editor->header->btnPrint->click();
    QVERIFY(s.dialogs.verifyDone());
    QVERIFY(!editor->isDirty());
    QVERIFY2(previewed.contains(QStringLiteral("Szépen számol.")), qPrintable(previewed));

    // A reader of the class cannot print.
    s.school.setRight(s.school.teacher, s.school.cls, QStringLiteral("O"));
    s.choosePupil(editor, 2);
    QVERIFY(!editor->header->btnPrint->isEnabled());
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_printwindow)
#include "tst_printwindow.moc"
