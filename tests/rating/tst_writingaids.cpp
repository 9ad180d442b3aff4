// The writing aids of the rating editor: Hungarian spelling, the fill line of the certificate and the
// check before finalising.
#include "EditorSession.h"
#include "RatingRows.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "print/DocumentLayout.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"
#include "rating/EditorWidgets.h"
#include "rating/FillCounter.h"
#include "rating/FinaliseCheck.h"
#include "rating/NameWords.h"
#include "rating/RatingHeaderView.h"
#include "rating/RatingOutline.h"
#include "rating/SpellChecker.h"
#include "rating/SpellingAid.h"
#include "rating/frmMain.h"
#include "shell/frmMenu.h"
#include "ui/EditorLink.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeWidget>

using Icon = DialogService::Icon;

namespace {

QString testDictionary() {
    const QString aff = QFINDTESTDATA("dictionary/lorvanto_test.aff");
    return aff.chopped(4);
}

// The words of a text edit that carry the wavy line.
QStringList underlined(QPlainTextEdit *edit) {
    QStringList words;
    for (QTextBlock b = edit->document()->firstBlock(); b.isValid(); b = b.next())
        for (const QTextLayout::FormatRange &r : b.layout()->formats())
            if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << b.text().mid(r.start, r.length);
    return words;
}

QString sentences(int count, const QString &seed) {
    QStringList s;
    for (int i = 0; i < count; ++i)
        s << QStringLiteral("%1 a %2. órán figyelmesen dolgozott, feladatait pontosan elvégezte.")
                 .arg(seed)
                 .arg(i);
    return s.join(QLatin1Char(' '));
}

} // namespace

class tst_writingaids : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void spelling_data();
    void spelling();
    void nameWords_data();
    void nameWords();
    void spellingInTheEditor();
    void withoutDictionaryTheEditorWorksAsBefore();
    void fillMatchesPrinting_data();
    void fillMatchesPrinting();
    void fillLineFollowsTypingAfterAPause();
    void checkBeforeFinalising();
    void namesBeforeFinalising_data();
    void namesBeforeFinalising();
};

void tst_writingaids::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(SpellChecker::personalListPath());
}

void tst_writingaids::cleanup() {
    QFile::remove(SpellChecker::personalListPath());
}

void tst_writingaids::spelling_data() {
    QTest::addColumn<QString>("dictionary");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("correct");
    const QString real = SpellChecker::findHungarianDictionary();
    for (const auto &[tag, dictionary] : {std::pair{"test", testDictionary()}, std::pair{"hu_HU", real}}) {
        const QByteArray t(tag);
        QTest::newRow(t + " misspelt")
            << dictionary << QStringLiteral("szorgalmsa") << QStringList() << false;
        QTest::newRow(t + " inflected")
            << dictionary << QStringLiteral("tanulóinknak") << QStringList() << true;
        QTest::newRow(t + " unknown name")
            << dictionary << QStringLiteral("Zsömlörnek") << QStringList() << false;
        QTest::newRow(t + " class name, suffixed")
            << dictionary << QStringLiteral("Zsömlörnek") << QStringList{QStringLiteral("Zsömlör")} << true;
        QTest::newRow(t + " numbers with endings")
            << dictionary << QStringLiteral("5-ös és 10-es") << QStringList() << true;
    }
}

void tst_writingaids::spelling() {
    QFETCH(QString, dictionary);
    QFETCH(QString, word);
    QFETCH(QStringList, names);
    QFETCH(bool, correct);
    if (dictionary.isEmpty())
        QSKIP("The Hungarian dictionary (hunspell-hu) is not installed.");
    SpellChecker checker(dictionary, QString());
    QVERIFY(checker.isReady());
    checker.setNames(names);
    const QString text = QStringLiteral("A %1, szépen.").arg(word);
    const QList<SpellChecker::Word> bad = checker.misspelt(text);
    QCOMPARE(bad.isEmpty(), correct);
    if (!correct)
        QCOMPARE(text.mid(bad.first().start, bad.first().length), word);
}

void tst_writingaids::nameWords_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");
    QTest::newRow("itself") << "Petra"
                            << "Petra" << true;
    QTest::newRow("lengthened a") << "Petrának"
                                  << "Petra" << true;
    QTest::newRow("lengthened e") << "Bencével"
                                  << "Bence" << true;
    QTest::newRow("doubled consonant") << "Ádámmal"
                                       << "Ádám" << true;
    QTest::newRow("doubled digraph") << "Balázzsal"
                                     << "Balázs" << true;
    QTest::newRow("hyphen") << "Kiss-szel"
                            << "Kiss" << true;
    QTest::newRow("lower case") << "petrának"
                                << "Petra" << false;
    QTest::newRow("other name") << "Petronella"
                                << "Petra" << false;
    QTest::newRow("capitalised tail") << "PetraKovács"
                                      << "Petra" << false;
}

void tst_writingaids::nameWords() {
    QFETCH(QString, word);
    QFETCH(QString, name);
    QFETCH(bool, matches);
    QCOMPARE(NameWords::matches(word, name), matches);
}

void tst_writingaids::spellingInTheEditor() {
    EditorSession s(testDictionary());
    frmMain *editor = s.openEditor(s.school.teacher);
    s.choosePupil(editor, 0); // Árva Ádám; Bodnár Boglárka and Csók Cecília are his classmates
    editor->txtRating->setPlainText(
        QStringLiteral("Ádámmal és Boglárkának szépen dolgozik, szorgalmsa, tanulóinknak segít."));
    editor->SaveChanges();
    QCOMPARE(underlined(editor->txtRating), QStringList{QStringLiteral("szorgalmsa")});

    // "Hozzáadás a szótárhoz" takes the word off at once and for good.
    const int at = int(editor->txtRating->toPlainText().indexOf(QStringLiteral("szorgalmsa"))) + 2;
    SpellingAid *aid = editor->findChild<SpellingAid *>();
    std::unique_ptr<QMenu> menu(aid->contextMenu(editor->txtRating, at));
    QAction *add = menu->findChild<QAction *>(QStringLiteral("actAddWord"));
    QVERIFY(add);
    QCOMPARE(add->text(), QStringLiteral("Hozzáadás a szótárhoz"));
    add->trigger();
    QCOMPARE(underlined(editor->txtRating), QStringList());
    QVERIFY(!editor->isDirty()); // new marks are no edit of the stored rating
    // The next run of the program knows it from the personal list; without the list it is wrong again.
    QVERIFY(SpellChecker(testDictionary(), SpellChecker::personalListPath())
                .isCorrect(QStringLiteral("szorgalmsa")));
    QVERIFY(!SpellChecker(testDictionary(), QString()).isCorrect(QStringLiteral("szorgalmsa")));

    // A suggestion mends the word in a one-line field too.
    editor->txtNewSentence->setText(QStringLiteral("Szépen olvas, de szorgalams."));
    std::unique_ptr<QMenu> lineMenu(aid->contextMenu(editor->txtNewSentence, 20));
    QVERIFY(!lineMenu->actions().isEmpty());
    QCOMPARE(lineMenu->actions().first()->text(), QStringLiteral("szorgalmas"));
    lineMenu->actions().first()->trigger();
    QCOMPARE(editor->txtNewSentence->text(), QStringLiteral("Szépen olvas, de szorgalmas."));
}

void tst_writingaids::withoutDictionaryTheEditorWorksAsBefore() {
    EditorSession s(QStringLiteral("/nincs/ilyen/szotar"));
    frmMain *editor = s.openEditor(s.school.teacher);
    const QString off =
        QStringLiteral("A helyesírás-ellenőrzés ki van kapcsolva: nincs telepítve a magyar szótár.");
    QCOMPARE(s.menu->statusBar()->currentMessage(), off);
    s.choosePupil(editor, 0);
    editor->txtRating->setPlainText(QStringLiteral("szorgalmsa"));
    QCOMPARE(underlined(editor->txtRating), QStringList());
    QVERIFY(editor->isDirty());
    // Said once in a run: the next editor keeps quiet.
    s.menu->statusBar()->clearMessage();
    delete editor->parentWidget();
    s.menu->mnuRate->trigger();
    QVERIFY(s.menu->statusBar()->currentMessage().isEmpty());
}

void tst_writingaids::fillMatchesPrinting_data() {
    QTest::addColumn<bool>("subjectNames");
    QTest::addColumn<bool>("competencyNames");
    QTest::newRow("text only") << false << false;
    QTest::newRow("subject headings") << true << false;
    QTest::newRow("all names") << true << true;
}

void tst_writingaids::fillMatchesPrinting() {
    QFETCH(bool, subjectNames);
    QFETCH(bool, competencyNames);
    TestDatabase t;
    RatingRows rows(t);
    const RatingRows::Rating r = rows.makeRating();
    PrintOptions options;
    options.subjectNames = subjectNames;
    options.competencyNames = competencyNames;
    QList<qint64> subCompetencies;
    qint64 subject = 0, comp = 0;
    for (int i = 0; i < 12; ++i) { // names whose Hungarian order is not their order in bytes
        subject = i % 3 ? subject : rows.addSubject(r.tevId, QStringLiteral("Tantárgy %1").arg(i / 3));
        comp = i % 3 == 2 ? comp : rows.addCompetency(subject, QStringList{"Olvasás", "Írás"}[i % 3]);
        subCompetencies << rows.addSubCompetency(comp, QStringList{"Értés", "Zene", "Ábécé"}[i % 3]);
    }
    PrintControl countControl;
    int sheetsBefore = 1;
    bool sheetAdded = false;
    for (int i = 0; i < subCompetencies.size(); ++i) {
        // The newest part is still pending in the editor; printing reads it once it is saved.
        const QString text = sentences(9, QStringLiteral("Rész%1").arg(i));
        PendingEdits pending;
        pending.store(true, subCompetencies[i], text);
        const FillCounter::Result counted = FillCounter::count(
            countControl, RatingOutline::load(r.ertId, r.tevId).withPending(pending), options);
        rows.addPart(r.ertId, subCompetencies[i], text);
        PrintControl pc;
        const PrintData data = PrintData::read(t.app().devPrint, r.ertId, r.tanId);
        DocumentLayout layout(pc, data, options);
        const int printed = layout.compose();
        QStringList outlined, laidOut; // the parts in the order printing lays them out
        for (const RatingOutline::Part &p : RatingOutline::load(r.ertId, r.tevId).withPending({}))
            outlined << p.text;
        for (const PrintData::Part &p : data.parts)
            laidOut << p.text;
        QCOMPARE(outlined.filter(QStringLiteral("Rész")), laidOut);
        QCOMPARE(counted.pages, printed);
        QCOMPARE(counted.textPages, int(layout.textPages().size()));
        QCOMPARE(counted.sheets, (printed + 1) / 2);
        QVERIFY(counted.lastPercent > 0 && counted.lastPercent <= 100);
        sheetAdded = sheetAdded || counted.sheets > sheetsBefore;
        sheetsBefore = counted.sheets;
    }
    QVERIFY(sheetAdded);
}

void tst_writingaids::fillLineFollowsTypingAfterAPause() {
    EditorSession s(testDictionary());
    frmMain *editor = s.openEditor(s.school.teacher);
    // A printed certificate is counted with the names it was printed with, not the print window's last ones.
    const qint64 printed = s.ratingOf(1);
    s.db.db().run(QStringLiteral("createRatingData"),
                  {printed, s.school.addition, sentences(40, QStringLiteral("Összeadásnál"))});
    QStringList lines;
    for (const QVariant &names : {QVariant(), QVariant(2)}) {
        s.db.db().connection().query(
            QStringLiteral("UPDATE ERTEKELES SET ert_vegleges = 'B', ert_biz_nevek = ? WHERE ert_id = ?"),
            {names, printed});
        s.choosePupil(editor, 1);
        lines << editor->lblFill->text();
    }
    QVERIFY(lines.at(0) != lines.at(1));
    s.choosePupil(editor, 0);
    QCOMPARE(editor->lblFill->text(), QStringLiteral("Bizonyítvány: 1 pótlap, szöveg nélkül"));
    editor->txtRating->setFocus();
    QTest::keyClicks(editor->txtRating, QStringLiteral("Olvas, dolgozik."));
    // Not on every keystroke: the line waits for typing to stop.
    QCOMPARE(editor->lblFill->text(), QStringLiteral("Bizonyítvány: 1 pótlap, szöveg nélkül"));
    QTRY_VERIFY_WITH_TIMEOUT(
        editor->lblFill->text().startsWith(QStringLiteral("Bizonyítvány: 1 pótlap (az 1. oldal ")),
        FillCounter::kDelayMs + 300);
    // Another part, unsaved, that no longer fits on the first page.
    editor->cmbSubCompetencies->setCurrentIndex(1);
    editor->txtRating->setPlainText(sentences(40, QStringLiteral("Kivonásnál")));
    QTRY_VERIFY_WITH_TIMEOUT(
        editor->lblFill->text().startsWith(QStringLiteral("Bizonyítvány: 1 pótlap (a 2. oldal ")),
        FillCounter::kDelayMs + 300);
    QVERIFY(editor->isDirty());
    // The print options change the count: subject headings take room.
    const QString without = editor->lblFill->text();
    PrintOptions named;
    named.subjectNames = true;
    named.competencyNames = true;
    s.editors.printChoices.setOptions(named);
    QTRY_VERIFY_WITH_TIMEOUT(editor->lblFill->text() != without, FillCounter::kDelayMs + 300);
}

void tst_writingaids::checkBeforeFinalising() {
    EditorSession s(testDictionary());
    // A classmate's stored part the same word for word as the one about to be typed.
    const QString copied = QStringLiteral("Ádámmal dolgozik. Boglárkának szépen, szorgalmsa.");
    s.db.db().run(QStringLiteral("createRatingData"), {s.ratingOf(2), s.school.addition, copied});
    frmMain *editor = s.openEditor(s.school.teacher);
    s.choosePupil(editor, 0); // Árva Ádám
    RatingHeaderView *h = editor->header;
    h->txtMulOrak->setText(QStringLiteral("2"));
    h->txtIgazolatlan->setText(QStringLiteral("0"));
    h->txtKelt->setText(QStringLiteral("2025"));
    editor->txtRating->setPlainText(copied);
    editor->opView0->setChecked(true);

    QList<QStringList> rows;
    auto look = [&](const char *button) {
        return [&rows, button](QDialog *d) {
            auto *list = d->findChild<QTreeWidget *>(QStringLiteral("lvFindings"));
            rows.clear();
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                rows << QStringList{list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1),
                                    list->topLevelItem(i)->text(2)};
            QTest::mouseClick(d->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
            return d->result();
        };
    };
    s.dialogs.expectModal(QStringLiteral("frmFinaliseCheck"), look("btnBack"));
    QTest::mouseClick(h->btnClose, Qt::LeftButton);
    const QList<QStringList> expected = {
        {QStringLiteral("Üres részterület"), QStringLiteral("Matematika"),
         QStringLiteral("Üresen maradt: Számolás / Kivonás")},
        {QStringLiteral("Üres részterület"), QStringLiteral("Ének"), QStringLiteral("Nincs értékelés.")},
        {QStringLiteral("Más tanuló neve"), QStringLiteral("Matematika / Számolás / Összeadás"),
         QStringLiteral("„Boglárkának” (Bodnár Boglárka)")},
        {QStringLiteral("Helyesírás"), QStringLiteral("Matematika / Számolás / Összeadás"),
         QStringLiteral("„szorgalmsa”")},
        {QStringLiteral("Megjegyzés"), QStringLiteral("Matematika / Számolás / Összeadás"),
         QStringLiteral("Szó szerint egyezik: Csók Cecília")},
    };
    QCOMPARE(rows, expected);
    // "Vissza": nothing finalised, nothing saved, the question not even asked.
    QCOMPARE(s.db.scalar(QStringLiteral("SELECT ert_vegleges FROM ERTEKELES WHERE ert_id=?"), {s.ratingOf(0)})
                 .toString(),
             QStringLiteral("N"));
    QVERIFY(editor->isDirty());

    s.dialogs.expectModal(QStringLiteral("frmFinaliseCheck"), look("btnFinalise"));
    s.dialogs.expectMessage(QStringLiteral("Véglegesítés után az adatok*"), Icon::Question, QMessageBox::Yes);
    QTest::mouseClick(h->btnClose, Qt::LeftButton);
    QCOMPARE(s.db.scalar(QStringLiteral("SELECT ert_vegleges FROM ERTEKELES WHERE ert_id=?"), {s.ratingOf(0)})
                 .toString(),
             QStringLiteral("I"));
}

void tst_writingaids::namesBeforeFinalising_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dictionary");
    QTest::addColumn<QString>("found");
    QTest::newRow("own name holding a classmate's") << "Katalinnak szépen olvas." << false << QString();
    QTest::newRow("classmate's name holding the own")
        << "Olvas Katalinkával." << false << QStringLiteral("„Katalinkával” (Nagy Katalinka)");
    QTest::newRow("ordinary word, no dictionary") << "Nagyon szépen olvas." << false << QString();
    QTest::newRow("name and word opening a sentence")
        << "Virág szépen olvas." << true << QStringLiteral("„Virág” (Nagy Virág) (lehet, hogy köznév)");
    QTest::newRow("sentence naming the pupil")
        << "Katalin Virággal olvas. Virág és." << false << QStringLiteral("„Virág” (Nagy Virág)");
}

void tst_writingaids::namesBeforeFinalising() {
    QFETCH(QString, text);
    QFETCH(bool, dictionary);
    TestDatabase t;
    RatingRows rows(t);
    const RatingRows::Rating r = rows.makeRating(QStringLiteral("Szabó"), QStringLiteral("Katalin"));
    for (const char *given : {"Kata", "Virág", "Katalinka"})
        rows.addRating(t.addPupil(QStringLiteral("Nagy"), QString::fromUtf8(given)), r.oszId, r.tevId);
    SpellChecker checker(dictionary ? testDictionary() : QString(), QString());
    QString names;
    for (const FinaliseCheck::Finding &f :
         FinaliseCheck::run({r.ertId, r.oszId, r.tevId, r.tanId, {}, {}, text}, &checker))
        names += f.what;
    QTEST(names, "found");
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_writingaids)
#include "tst_writingaids.moc"
