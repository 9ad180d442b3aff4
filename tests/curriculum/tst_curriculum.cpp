// The subject tree and the sentence bank, driven through their windows as an administrator or a teacher
// does it: the tree's placeholder rules, renaming, the right-click menu, read-only use, who sees which
// sentence, writing sentences, and sentence files out of and into the bank.
#include "EditorSession.h"
#include "curriculum/SubjectTree.h"
#include "curriculum/frmSentences.h"
#include "curriculum/frmSubjects.h"
#include "exchange/ExchangeFile.h"
#include "rating/EditorWidgets.h"
#include "rating/frmMain.h"
#include "shell/frmMenu.h"
#include "ui/ItemRoles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using Icon = DialogService::Icon;
using Level = SubjectTree::Level;

class tst_curriculum : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void treeKeepsItsPlaceholders();
    void renameLimits_data();
    void renameLimits();
    void popupMenuByLevel_data();
    void popupMenuByLevel();
    void readOnlyUnlessAdminInActivePeriod_data();
    void readOnlyUnlessAdminInActivePeriod();
    void emptyPeriodStartsWithButton();
    void whoSeesWhichSentence_data();
    void whoSeesWhichSentence();
    void writingSentences();
    void sentenceLengthLimits_data();
    void sentenceLengthLimits();
    void exportTickedAndImportElsewhere();
    void exportNeedsRowsAndTicks();
    void importRefusesForeignFiles_data();
    void importRefusesForeignFiles();
    void mainMenuExportsAndImportsIntoOpenEditor();

private:
    std::unique_ptr<frmSubjects> openSubjects(qint64 user);
    std::unique_ptr<frmSentences> openSentences(qint64 user, Level level, qint64 key, bool readOnly = false);
    QTreeWidgetItem *node(QTreeWidget *tree, const QStringList &path);
    QTreeWidgetItem *row(QTreeWidget *list, const QString &text);
    void click(QTreeWidget *list, QTreeWidgetItem *at) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(at).center());
    }
    void rightClick(frmSubjects *w, QTreeWidgetItem *at, bool byKeyboard = false);
    QVariant one(const QString &sql, const QVariantList &values = {});
    QStringList logEntries(qint64 since);
    qint64 lastLogId();
    QString path(const QString &name) { return m_s->db.dir() + QLatin1Char('/') + name; }
    QByteArray fileBytes(const QString &file);

    std::unique_ptr<EditorSession> m_s;
};

void tst_curriculum::init() {
    m_s = std::make_unique<EditorSession>();
}

void tst_curriculum::cleanup() {
    m_s.reset();
}

std::unique_ptr<frmSubjects> tst_curriculum::openSubjects(qint64 user) {
    m_s->db.loginAs(user);
    auto w = std::make_unique<frmSubjects>();
    w->show();
    w->tvSubjects->expandAll();
    return w;
}

std::unique_ptr<frmSentences> tst_curriculum::openSentences(qint64 user, Level level, qint64 key,
                                                            bool readOnly) {
    m_s->db.loginAs(user);
    auto w = std::make_unique<frmSentences>();
    w->LoadSentences(QStringLiteral("Csomópont"), key, level, readOnly);
    w->show();
    return w;
}

QTreeWidgetItem *tst_curriculum::node(QTreeWidget *tree, const QStringList &path) {
    QTreeWidgetItem *found = nullptr;
    for (const QString &name : path) {
        const int n = found ? found->childCount() : tree->topLevelItemCount();
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < n && !next; ++i) {
            QTreeWidgetItem *c = found ? found->child(i) : tree->topLevelItem(i);
            if (c->text(0) == name)
                next = c;
        }
        if (!next)
            return nullptr;
        found = next;
    }
    return found;
}

QTreeWidgetItem *tst_curriculum::row(QTreeWidget *list, const QString &text) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == text)
            return list->topLevelItem(i);
    return nullptr;
}

void tst_curriculum::rightClick(frmSubjects *w, QTreeWidgetItem *at, bool byKeyboard) {
    const QRect area = w->tvSubjects->viewport()->rect();
    QPoint pos = at ? w->tvSubjects->visualItemRect(at).center() : area.bottomRight() - QPoint(4, 4);
    if (byKeyboard) {
        w->tvSubjects->setCurrentItem(at);
        pos = area.bottomRight() - QPoint(4, 4); // the menu key says nothing of the pointer
    }
    QContextMenuEvent click(byKeyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse, pos,
                            w->tvSubjects->viewport()->mapToGlobal(pos));
    QCoreApplication::sendEvent(w->tvSubjects->viewport(), &click);
}

QVariant tst_curriculum::one(const QString &sql, const QVariantList &values) {
    return m_s->db.scalar(sql, values);
}

qint64 tst_curriculum::lastLogId() {
    return one(QStringLiteral("SELECT coalesce(max(log_id), 0) FROM LOG")).toLongLong();
}

QStringList tst_curriculum::logEntries(qint64 since) {
    const Recordset rs = m_s->db.db().connection().query(
        QStringLiteral("SELECT log_tabla, log_rekord_id, log_megj FROM LOG WHERE log_id > ? ORDER BY log_id"),
        {since});
    QStringList out;
    for (int i = 0; i < rs.count(); ++i)
        out << QStringLiteral("%1 %2 %3")
                   .arg(rs.at(i, QStringLiteral("log_tabla")).toString(),
                        rs.at(i, QStringLiteral("log_rekord_id")).toString(),
                        rs.at(i, QStringLiteral("log_megj")).toString());
    return out;
}

QByteArray tst_curriculum::fileBytes(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void tst_curriculum::treeKeepsItsPlaceholders() {
    SchoolFixture &s = m_s->school;
    auto w = openSubjects(s.admin);
    QVERIFY(w->isEditable());
    const qint64 log0 = lastLogId();

    // A new subject is a placeholder chain; the tree shows the subject alone, and its name is typed at once.
    rightClick(w.get(), nullptr);
    w->mnuNewSubject->trigger();
    auto *editor = w->tvSubjects->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("Környezetismeret"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(node(w->tvSubjects, {QStringLiteral("Környezetismeret")}));
    QTreeWidgetItem *subject = node(w->tvSubjects, {QStringLiteral("Környezetismeret")});
    QCOMPARE(subject->childCount(), 0);
    const qint64 ata =
        one(QStringLiteral("SELECT ata_id FROM ATARGY WHERE ata_rnev='Környezetismeret'")).toLongLong();
    const qint64 dummyComp = one(QStringLiteral("SELECT kpb_id FROM KMPBANK WHERE kpb_ata_id=? AND "
                                                "coalesce(kpb_nev,'')='' AND kpb_del=0"),
                                 {ata})
                                 .toLongLong();
    const qint64 dummySub = SubjectTree::GetTargetSubComp(SubjectTree::Subject, ata);
    QVERIFY(dummyComp && dummySub);
    QCOMPARE(one(QStringLiteral("SELECT count(*) FROM KMPBANK WHERE kpb_ata_id=?"), {ata}).toInt(), 1);
    QCOMPARE(one(QStringLiteral("SELECT akb_kpb_id FROM ALKMPBANK WHERE akb_id=?"), {dummySub}).toLongLong(),
             dummyComp);
    const qint64 early =
        s.addSentence(dummySub, QStringLiteral("Ismeri az évszakokat."), QStringLiteral("M"), s.admin);

    // The first competency takes over the placeholder's key, and with it what was written on the subject.
    w->tvSubjects->setCurrentItem(subject);
    rightClick(w.get(), subject);
    w->mnuNewComp->trigger();
    QTreeWidgetItem *first = subject->child(0);
    QCOMPARE(first->text(0), QStringLiteral("<Új értékelési, minősítési terület>"));
    QCOMPARE(first->data(0, IdRole).toLongLong(), dummyComp);
    QCOMPARE(SubjectTree::GetTargetSubComp(SubjectTree::Comp, dummyComp), dummySub);
    QCOMPARE(SubjectTree::GetTargetSubComp(SubjectTree::Subject, ata), 0);
    first->setText(0, QStringLiteral("Tájékozódás"));

    // The second gets a row and a placeholder sub-competency of its own.
    w->tvSubjects->setCurrentItem(subject);
    rightClick(w.get(), subject);
    w->mnuNewComp->trigger();
    const qint64 second = subject->child(1)->data(0, IdRole).toLongLong();
    QVERIFY(second != dummyComp);
    const qint64 secondSub = SubjectTree::GetTargetSubComp(SubjectTree::Comp, second);
    QVERIFY(secondSub && secondSub != dummySub);

    // Deleting the last named competency leaves a fresh placeholder chain, not the deleted rows.
    for (int i = 0; i < 2; ++i) {
        m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a következőt: *"), Icon::Question,
                                   QMessageBox::Yes);
        w->tvSubjects->setCurrentItem(subject->child(0));
        w->mnuDelete->trigger();
    }
    QCOMPARE(subject->childCount(), 0);
    const qint64 fresh = SubjectTree::GetTargetSubComp(SubjectTree::Subject, ata);
    QVERIFY(fresh > secondSub);
    QCOMPARE(one(QStringLiteral("SELECT count(*) FROM MONDATBANK WHERE mdb_id=?"), {early}).toInt(), 0);

    // The same one level down: the last named sub-competency of Számolás gives way to a placeholder.
    QTreeWidgetItem *calc = node(w->tvSubjects, {QStringLiteral("Matematika"), QStringLiteral("Számolás")});
    for (const QString &name : {QStringLiteral("Kivonás"), QStringLiteral("Összeadás")}) {
        m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a következőt: ") + name + QLatin1Char('?'),
                                   Icon::Question, QMessageBox::Yes);
        w->tvSubjects->setCurrentItem(
            node(w->tvSubjects, {QStringLiteral("Matematika"), QStringLiteral("Számolás"), name}));
        w->mnuDelete->trigger();
    }
    QCOMPARE(calc->childCount(), 0);
    QVERIFY(SubjectTree::GetTargetSubComp(SubjectTree::Comp, s.mathComp) > s.subtraction);

    // Answering No changes nothing; deleting a subject flags everything beneath it and drops its sentences.
    QTreeWidgetItem *music = node(w->tvSubjects, {QStringLiteral("Ének")});
    s.addSentence(s.musicSub, QStringLiteral("Tisztán énekel."), QStringLiteral("U"), s.teacher);
    w->tvSubjects->setCurrentItem(music);
    m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a következőt: Ének?"), Icon::Question,
                               QMessageBox::No);
    w->mnuDelete->trigger();
    QVERIFY(node(w->tvSubjects, {QStringLiteral("Ének")}));
    m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a következőt: Ének?"), Icon::Question,
                               QMessageBox::Yes);
    w->mnuDelete->trigger();
    QVERIFY(!node(w->tvSubjects, {QStringLiteral("Ének")}));
    QCOMPARE(one(QStringLiteral("SELECT ata_del FROM ATARGY WHERE ata_id=?"), {s.music}).toInt(), 1);
    QCOMPARE(one(QStringLiteral("SELECT min(kpb_del) FROM KMPBANK WHERE kpb_ata_id=?"), {s.music}).toInt(),
             1);
    QCOMPARE(one(QStringLiteral("SELECT min(akb_del) FROM ALKMPBANK WHERE akb_id=?"), {s.musicSub}).toInt(),
             1);
    QCOMPARE(one(QStringLiteral("SELECT count(*) FROM MONDATBANK WHERE mdb_akb_id=?"), {s.musicSub}).toInt(),
             0);

    // Only the top node of a delete is logged, each with its table's own label.
    const QString kpb = QString::number(dummyComp);
    QCOMPARE(logEntries(log0),
             (QStringList{QStringLiteral("ATARGY %1 Tantargy letrehozasa").arg(ata),
                          QStringLiteral("ATARGY %1 Tantargy atnevezese").arg(ata),
                          QStringLiteral("KMPBANK %1 Ert. terulet letrehozasa").arg(kpb),
                          QStringLiteral("KMPBANK %1 Kompetencia atnevezese").arg(kpb),
                          QStringLiteral("KMPBANK %1 Ert. terulet letrehozasa").arg(second),
                          QStringLiteral("KMPBANK %1 Kompetencia torlese").arg(kpb),
                          QStringLiteral("KMPBANK %1 Kompetencia torlese").arg(second),
                          QStringLiteral("AKMPBANK %1 Alompetencia torlese").arg(s.subtraction),
                          QStringLiteral("AKMPBANK %1 Alompetencia torlese").arg(s.addition),
                          QStringLiteral("ATARGY %1 Tantargy torlese").arg(s.music)}));
    // A subject deleted meanwhile by another user: its deleted placeholder does not come back to life.
    SubjectTree::DeleteSubject(ata);
    w->tvSubjects->setCurrentItem(subject);
    m_s->dialogs.expectMessage(QStringLiteral("Az elemet időközben törölték *"), Icon::Exclamation);
    w->mnuNewComp->trigger();
}

void tst_curriculum::renameLimits_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("logTable"); // empty: the name is refused
    QTest::addColumn<QString>("logText");
    const QStringList subject{QStringLiteral("Matematika")};
    const QStringList comp = subject + QStringList{QStringLiteral("Számolás")};
    const QStringList sub = comp + QStringList{QStringLiteral("Összeadás")};
    const QString fifty = QStringLiteral("Ő") + QString(49, QLatin1Char('a'));
    QTest::newRow("subject, 50") << subject << fifty << QStringLiteral("ATARGY")
                                 << QStringLiteral("Tantargy atnevezese");
    QTest::newRow("competency, 50") << comp << fifty << QStringLiteral("KMPBANK")
                                    << QStringLiteral("Kompetencia atnevezese");
    QTest::newRow("sub-competency, 50")
        << sub << fifty << QStringLiteral("AKMPBANK") << QStringLiteral("Alkompetencia atnevezese");
    QTest::newRow("subject, 51") << subject << fifty + QLatin1Char('b') << QString() << QString();
    QTest::newRow("sub-competency, 51") << sub << fifty + QLatin1Char('b') << QString() << QString();
    QTest::newRow("competency, empty") << comp << QString() << QString() << QString();
    // A blank competency name would make it a placeholder: refused like an empty one.
    QTest::newRow("competency, blanks") << comp << QStringLiteral("   ") << QString() << QString();
}

void tst_curriculum::renameLimits() {
    QFETCH(QStringList, path);
    QFETCH(QString, name);
    QFETCH(QString, logTable);
    QFETCH(QString, logText);
    auto w = openSubjects(m_s->school.admin);
    QTreeWidgetItem *n = node(w->tvSubjects, path);
    const qint64 key = n->data(0, IdRole).toLongLong();
    const qint64 log0 = lastLogId();
    n->setText(0, name); // the label edit ends with this text
    const bool accepted = !logTable.isEmpty();
    const QString kept = accepted ? name : path.last();
    QCOMPARE(n->text(0), kept);
    static const char *const lookups[] = {"SELECT ata_rnev FROM ATARGY WHERE ata_id=?",
                                          "SELECT kpb_nev FROM KMPBANK WHERE kpb_id=?",
                                          "SELECT akb_nev FROM ALKMPBANK WHERE akb_id=?"};
    QCOMPARE(one(QString::fromLatin1(lookups[path.size() - 1]), {key}).toString(), kept);
    QCOMPARE(logEntries(log0),
             accepted ? QStringList{QStringLiteral("%1 %2 %3").arg(logTable).arg(key).arg(logText)}
                      : QStringList());
}

void tst_curriculum::popupMenuByLevel_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<QString>("enabled");
    const QString all = QStringLiteral("mnuEditSentences mnuRename mnuDelete");
    QTest::newRow("subject")
        << QStringList{QStringLiteral("Matematika")} << false
        << QStringLiteral("mnuNewSubject mnuNewComp mnuS3 mnuEditSentences mnuS2 mnuRename mnuDelete") << all;
    QTest::newRow("competency") << QStringList{QStringLiteral("Matematika"), QStringLiteral("Számolás")}
                                << false
                                << QStringLiteral(
                                       "mnuNewSubComp mnuS3 mnuEditSentences mnuS2 mnuRename mnuDelete")
                                << all;
    QTest::newRow("sub-competency, menu key")
        << QStringList{QStringLiteral("Matematika"), QStringLiteral("Számolás"), QStringLiteral("Kivonás")}
        << true << QStringLiteral("mnuEditSentences mnuRename mnuDelete") << all;
    QTest::newRow("nothing") << QStringList() << false
                             << QStringLiteral(
                                    "mnuNewSubject mnuS3 mnuEditSentences mnuS2 mnuRename mnuDelete")
                             << QString();
}

void tst_curriculum::popupMenuByLevel() {
    QFETCH(QStringList, path);
    QFETCH(bool, byKeyboard);
    QFETCH(QString, visible);
    QFETCH(QString, enabled);
    auto w = openSubjects(m_s->school.admin);
    QTreeWidgetItem *at = path.isEmpty() ? nullptr : node(w->tvSubjects, path);
    rightClick(w.get(), at, byKeyboard);
    QVERIFY(w->mnuPopup->isVisible());
    QCOMPARE(w->GetNodeLevel(), path.isEmpty() ? 3 : int(path.size()) - 1);
    QStringList shown, usable;
    for (QAction *a : w->mnuPopup->actions()) {
        if (a->isVisible())
            shown << a->objectName();
        if (a->isVisible() && a->isEnabled() && !a->isSeparator() &&
            !a->objectName().startsWith(QLatin1String("mnuNew")))
            usable << a->objectName();
    }
    QCOMPARE(shown.join(QLatin1Char(' ')), visible);
    QCOMPARE(usable.join(QLatin1Char(' ')), enabled);
    w->mnuPopup->hide();
}

void tst_curriculum::readOnlyUnlessAdminInActivePeriod_data() {
    QTest::addColumn<bool>("admin");
    QTest::addColumn<bool>("activePeriod");
    QTest::newRow("administrator, active period") << true << true;
    QTest::newRow("administrator, earlier period") << true << false;
    QTest::newRow("teacher, active period") << false << true;
}

void tst_curriculum::readOnlyUnlessAdminInActivePeriod() {
    QFETCH(bool, admin);
    QFETCH(bool, activePeriod);
    SchoolFixture &s = m_s->school;
    const qint64 old = s.addSubject(s.oldPeriod, QStringLiteral("Rajz"));
    s.addSubComp(s.addComp(old, QVariant()), QVariant());
    auto w = openSubjects(admin ? s.admin : s.teacher);
    if (!activePeriod)
        w->cmbPeriod->setCurrentIndex(w->cmbPeriod->findData(s.oldPeriod));
    const QString subject = activePeriod ? QStringLiteral("Ének") : QStringLiteral("Rajz");
    QCOMPARE(w->tvSubjects->topLevelItemCount(), activePeriod ? 2 : 1);
    const bool editable = admin && activePeriod;
    QCOMPARE(w->isEditable(), editable);
    QCOMPARE(w->lblInfo->text().startsWith(QStringLiteral("Kattintson duplán")), !editable);
    QCOMPARE(w->btnNewSubject->isVisible(), editable);
    QCOMPARE(w->tvSubjects->editTriggers() == QAbstractItemView::NoEditTriggers, !editable);
    QTreeWidgetItem *n = node(w->tvSubjects, {subject});
    rightClick(w.get(), n);
    QCOMPARE(w->mnuPopup->isVisible(), editable);
    w->mnuPopup->hide();

    // A double click opens the node's sentences, read-only unless the tree is editable.
    QString caption, shownPath;
    QList<bool> usable;
    m_s->dialogs.expectModal(QStringLiteral("frmSentences"), [&](QDialog *d) {
        auto *sw = qobject_cast<frmSentences *>(d);
        caption = sw->windowTitle();
        shownPath = sw->txtPath->text();
        sw->txtNew->setText(QStringLiteral("Egy új mondat."));
        usable = {sw->btnNew->isEnabled(), sw->btnImport->isEnabled(), sw->btnRename->isEnabled(),
                  sw->chkVisible->isEnabled(),
                  sw->lvSentences->editTriggers() != QAbstractItemView::NoEditTriggers};
        return int(QDialog::Accepted);
    });
    emit w->tvSubjects->itemDoubleClicked(n, 0);
    QCOMPARE(caption, editable ? QStringLiteral("Mondatok kezelése")
                               : QStringLiteral("Mondatok kezelése - inaktív időszak, csak olvasásra."));
    QCOMPARE(shownPath, subject);
    QCOMPARE(usable, QList<bool>(5, editable));
}

void tst_curriculum::emptyPeriodStartsWithButton() {
    SchoolFixture &s = m_s->school;
    m_s->db.db().run(QStringLiteral("updateActivePeriod"), {s.oldPeriod});
    auto w = openSubjects(s.admin);
    QCOMPARE(w->tvSubjects->topLevelItemCount(), 0);
    QVERIFY(w->btnNewSubject->isVisible());
    QVERIFY(w->lblInfo->text().contains(QStringLiteral("„%1”").arg(w->btnNewSubject->text())));
    QTest::mouseClick(w->btnNewSubject, Qt::LeftButton);
    QCOMPARE(w->tvSubjects->topLevelItemCount(), 1);
    QCOMPARE(one(QStringLiteral("SELECT COUNT(*) FROM ATARGY WHERE ata_tev_id=?"), {s.oldPeriod}).toInt(), 1);
    QVERIFY(!w->lblInfo->text().contains(w->btnNewSubject->text()));
}

void tst_curriculum::whoSeesWhichSentence_data() {
    QTest::addColumn<bool>("admin");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("hideCommon");
    QTest::addColumn<QStringList>("rows"); // text | owner column | b(old) or n(ormal), in any order
    const QString common = QStringLiteral("Hibátlanul ad össze.||b");
    const QString commonElsewhere = QStringLiteral("Kivonni is tud.||b");
    const QString annaPrivate = QStringLiteral("Anna saját mondata.|Kiss Anna|n");
    const QString annaOffered = QStringLiteral("Anna kiajánlott mondata.|Kiss Anna|b");
    const QString belaOffered = QStringLiteral("Tízes átlépéssel is ügyes.|Nagy Béla|b");
    const QString belaWithdrawn = QStringLiteral("Béla visszavont mondata.|Nagy Béla|n");
    const QString orphan = QStringLiteral("Gazdátlan mondat.|<ismeretlen>|n");
    QTest::newRow("teacher, sub-competency")
        << false << 2 << false << QStringList{common, annaPrivate, annaOffered};
    QTest::newRow("teacher, own only") << false << 2 << true << QStringList{annaPrivate, annaOffered};
    QTest::newRow("teacher, subject")
        << false << 0 << false << QStringList{common, annaPrivate, annaOffered, commonElsewhere};
    QTest::newRow("administrator, sub-competency")
        << true << 2 << false << QStringList{common, annaOffered, belaOffered, belaWithdrawn, orphan};
    QTest::newRow("administrator, competency, own only")
        << true << 1 << true << QStringList{annaOffered, belaOffered, belaWithdrawn, orphan};
}

void tst_curriculum::whoSeesWhichSentence() {
    QFETCH(bool, admin);
    QFETCH(int, level);
    QFETCH(bool, hideCommon);
    QFETCH(QStringList, rows);
    SchoolFixture &s = m_s->school;
    s.addSentence(s.addition, QStringLiteral("Béla visszavont mondata."), QStringLiteral("U"), s.other);
    s.addSentence(s.addition, QStringLiteral("Anna kiajánlott mondata."), QStringLiteral("A"), s.teacher);
    s.addSentence(s.addition, QStringLiteral("Gazdátlan mondat."), QStringLiteral("U"), 9999);
    s.addSentence(s.subtraction, QStringLiteral("Kivonni is tud."), QStringLiteral("M"), s.admin);
    const qint64 keys[] = {s.math, s.mathComp, s.addition};
    auto w = openSentences(admin ? s.admin : s.teacher, Level(level), keys[level]);
    if (hideCommon)
        w->Check1->click();
    QStringList shown;
    for (int i = 0; i < w->lvSentences->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *r = w->lvSentences->topLevelItem(i);
        shown << QStringLiteral("%1|%2|%3")
                     .arg(r->text(0), r->text(1),
                          r->font(0).bold() ? QStringLiteral("b") : QStringLiteral("n"));
        // Only administrators choose rows for export with check boxes; common rows cannot be edited.
        QCOMPARE(r->data(0, Qt::CheckStateRole).isValid(), admin);
        QCOMPARE(bool(r->flags() & Qt::ItemIsEditable), !r->text(1).isEmpty());
    }
    shown.sort();
    rows.sort();
    QCOMPARE(shown, rows);
}

void tst_curriculum::writingSentences() {
    SchoolFixture &s = m_s->school;
    auto w = openSentences(s.admin, SubjectTree::SubComp, s.addition);
    const qint64 log0 = lastLogId();

    w->txtNew->setText(QStringLiteral("  Önállóan dolgozik.  "));
    QVERIFY(w->btnNew->isEnabled());
    QTest::mouseClick(w->btnNew, Qt::LeftButton);
    const qint64 id =
        one(QStringLiteral("SELECT mdb_id FROM MONDATBANK WHERE mdb_szoveg='Önállóan dolgozik.' AND "
                           "mdb_megoszt='U' AND mdb_usr_id=? AND mdb_akb_id=?"),
            {s.admin, s.addition})
            .toLongLong();
    QVERIFY(id);
    QVERIFY(w->txtNew->text().isEmpty());
    QTreeWidgetItem *mine = row(w->lvSentences, QStringLiteral("Önállóan dolgozik."));
    QVERIFY(mine);

    // Sharing follows the switch, row by row.
    click(w->lvSentences, mine);
    QCOMPARE(w->txtNew->text(), QStringLiteral("Önállóan dolgozik."));
    QVERIFY(w->chkVisible->isEnabled() && !w->chkVisible->isChecked());
    QTest::mouseClick(w->chkVisible, Qt::LeftButton);
    QCOMPARE(one(QStringLiteral("SELECT mdb_megoszt FROM MONDATBANK WHERE mdb_id=?"), {id}).toString(),
             QStringLiteral("A"));
    QVERIFY(mine->font(0).bold());
    QTest::mouseClick(w->chkVisible, Qt::LeftButton);
    QCOMPARE(one(QStringLiteral("SELECT mdb_megoszt FROM MONDATBANK WHERE mdb_id=?"), {id}).toString(),
             QStringLiteral("U"));

    // Rewriting in place.
    mine->setText(0, QStringLiteral("Önállóan és pontosan dolgozik."));
    QCOMPARE(one(QStringLiteral("SELECT mdb_szoveg FROM MONDATBANK WHERE mdb_id=?"), {id}).toString(),
             QStringLiteral("Önállóan és pontosan dolgozik."));

    // A common sentence cannot be changed from here.
    click(w->lvSentences, row(w->lvSentences, QStringLiteral("Hibátlanul ad össze.")));
    QVERIFY(!w->btnRename->isEnabled() && !w->btnDelete->isEnabled() && !w->chkVisible->isEnabled());
    QVERIFY(w->btnNew->isDefault());

    // Rewriting with the button needs a text; deleting asks first and is not logged.
    click(w->lvSentences, mine);
    w->txtNew->setText(QStringLiteral("Mégsem."));
    click(w->lvSentences, mine); // the selected row again: its text back
    QCOMPARE(w->txtNew->text(), QStringLiteral("Önállóan és pontosan dolgozik."));
    w->txtNew->clear();
    m_s->dialogs.expectMessage(QStringLiteral("Be kell írnia egy szöveget"), Icon::Exclamation);
    QTest::mouseClick(w->btnRename, Qt::LeftButton);
    m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a kijelölt mondatot?"), Icon::Question,
                               QMessageBox::No);
    QTest::mouseClick(w->btnDelete, Qt::LeftButton);
    QVERIFY(row(w->lvSentences, QStringLiteral("Önállóan és pontosan dolgozik.")));
    m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a kijelölt mondatot?"), Icon::Question,
                               QMessageBox::Yes);
    QTest::mouseClick(w->btnDelete, Qt::LeftButton);
    QVERIFY(!row(w->lvSentences, QStringLiteral("Önállóan és pontosan dolgozik.")));
    QCOMPARE(one(QStringLiteral("SELECT count(*) FROM MONDATBANK WHERE mdb_id=?"), {id}).toInt(), 0);

    // With nothing selected.
    m_s->dialogs.expectMessage(QStringLiteral("Nincs mondat kiválasztva."), Icon::Information);
    QTest::mouseClick(w->btnDelete, Qt::LeftButton);
    m_s->dialogs.expectMessage(QStringLiteral("Nincs elem kiválasztva."), Icon::Information);
    QTest::mouseClick(w->chkVisible, Qt::LeftButton);
    QVERIFY(!w->chkVisible->isChecked());

    const QString key = QString::number(id);
    QCOMPARE(logEntries(log0),
             (QStringList{QStringLiteral("MONDATBANK %1 Uj mondat felvetele").arg(key),
                          QStringLiteral("MONDATBANK %1 Mondat kiajanlasa").arg(key),
                          QStringLiteral("MONDATBANK %1 Mondat kiajanlasanak visszavonasa").arg(key),
                          QStringLiteral("MONDATBANK %1 Mondat atirasa").arg(key)}));

    // A subject whose competencies are named has nowhere to put a new sentence; one with placeholders has.
    auto math = openSentences(s.admin, SubjectTree::Subject, s.math);
    math->txtNew->setText(QStringLiteral("Ide nem kerülhet."));
    QVERIFY(!math->btnNew->isEnabled() && !math->btnImport->isEnabled());
    auto music = openSentences(s.admin, SubjectTree::Subject, s.music);
    music->txtNew->setText(QStringLiteral("Szépen énekel."));
    QTest::mouseClick(music->btnNew, Qt::LeftButton);
    QCOMPARE(one(QStringLiteral("SELECT mdb_akb_id FROM MONDATBANK WHERE mdb_szoveg='Szépen énekel.'"))
                 .toLongLong(),
             s.musicSub);
    // Deleted meanwhile by another user: neither rewritten nor shared, and the list drops it.
    click(music->lvSentences, row(music->lvSentences, QStringLiteral("Szépen énekel.")));
    one(QStringLiteral("DELETE FROM MONDATBANK"));
    const qint64 log1 = lastLogId();
    for (QAbstractButton *b : QList<QAbstractButton *>{music->btnRename, music->chkVisible}) {
        m_s->dialogs.expectMessage(QStringLiteral("A mondatot időközben törölték *"), Icon::Exclamation);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QTRY_COMPARE(music->lvSentences->topLevelItemCount(), 0);
    QCOMPARE(lastLogId(), log1);
}

void tst_curriculum::sentenceLengthLimits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("inPlace");
    QTest::addColumn<bool>("accepted");
    const QString max = QStringLiteral("  ") + QString(509, QLatin1Char('a')) + QStringLiteral("ő  ");
    const QString over = QString(510, QLatin1Char('a')) + QStringLiteral("ő");
    QTest::newRow("new, 510 after trimming") << max << false << true;
    QTest::newRow("new, 511") << over << false << false;
    QTest::newRow("new, blanks only") << QStringLiteral("    ") << false << false;
    QTest::newRow("rewrite, 510 after trimming") << max << true << true;
    QTest::newRow("rewrite, 511") << over << true << false;
    QTest::newRow("rewrite, blanks only") << QStringLiteral("    ") << true << false;
}

void tst_curriculum::sentenceLengthLimits() {
    QFETCH(QString, text);
    QFETCH(bool, inPlace);
    QFETCH(bool, accepted);
    SchoolFixture &s = m_s->school;
    const qint64 id = s.addSentence(s.addition, QStringLiteral("Eredeti."), QStringLiteral("U"), s.admin);
    auto w = openSentences(s.admin, SubjectTree::SubComp, s.addition);
    if (!inPlace) {
        w->txtNew->setText(text);
        QCOMPARE(w->btnNew->isEnabled(), accepted);
        QTest::mouseClick(w->btnNew, Qt::LeftButton);
    } else {
        if (!accepted)
            m_s->dialogs.expectMessage(QStringLiteral("A mondat legalább 1, legfeljebb 510 karakter*"),
                                       Icon::Exclamation);
        QTreeWidgetItem *r = row(w->lvSentences, QStringLiteral("Eredeti."));
        r->setText(0, text);
        QCOMPARE(r->text(0), accepted ? text.trimmed() : QStringLiteral("Eredeti."));
    }
    QCOMPARE(
        one(QStringLiteral("SELECT count(*) FROM MONDATBANK WHERE mdb_szoveg=?"), {text.trimmed()}).toInt(),
        accepted ? 1 : 0);
    QCOMPARE(one(QStringLiteral("SELECT mdb_szoveg FROM MONDATBANK WHERE mdb_id=?"), {id}).toString(),
             inPlace && accepted ? text.trimmed() : QStringLiteral("Eredeti."));
}

void tst_curriculum::exportTickedAndImportElsewhere() {
    SchoolFixture &s = m_s->school;
    const QString hungarian = QStringLiteral("Őszintén, ügyesen űzi a sportot.");
    s.addSentence(s.addition, hungarian, QStringLiteral("U"), s.admin);
    auto w = openSentences(s.admin, SubjectTree::SubComp, s.addition);
    row(w->lvSentences, hungarian)->setCheckState(0, Qt::Checked);
    row(w->lvSentences, QStringLiteral("Hibátlanul ad össze."))->setCheckState(0, Qt::Checked);
    const QString file = path(QStringLiteral("valogatas.mb"));
    m_s->dialogs.expectSaveFile(file);
    const qint64 log0 = lastLogId();
    w->mnuSelection->trigger();
    QCOMPARE(fileBytes(file).size(), ExchangeFile::kHeaderSize + 2 * ExchangeFile::kSentenceField);
    QCOMPARE(logEntries(log0), QStringList{QStringLiteral("MONDATBANK 0 Mondatok exportalasa")});

    // Into the subject without competencies: the file's sentences, all ticked at first.
    auto music = openSentences(s.teacher, SubjectTree::Subject, s.music);
    m_s->dialogs.expectOpenFile(file);
    QStringList offered;
    bool allTicked = true, importWithNothingTicked = true;
    m_s->dialogs.expectModal(QStringLiteral("frmImportSentences"), [&](QDialog *d) {
        auto *list = d->findChild<QTreeWidget *>(QStringLiteral("lvSentences"));
        auto *all = d->findChild<QCheckBox *>(QStringLiteral("chkAll"));
        auto *import = d->findChild<QPushButton *>(QStringLiteral("btnImport"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            offered << list->topLevelItem(i)->text(0);
            allTicked = allTicked && list->topLevelItem(i)->checkState(0) == Qt::Checked;
        }
        QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(4, all->height() / 2));
        importWithNothingTicked = import->isEnabled();
        QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(4, all->height() / 2));
        row(list, QStringLiteral("Hibátlanul ad össze."))->setCheckState(0, Qt::Unchecked);
        QTest::mouseClick(import, Qt::LeftButton);
        return d->result();
    });
    const qint64 log1 = lastLogId();
    QTest::mouseClick(music->btnImport, Qt::LeftButton);
    offered.sort();
    QCOMPARE(offered, (QStringList{QStringLiteral("Hibátlanul ad össze."), hungarian}));
    QVERIFY(allTicked);
    QVERIFY(!importWithNothingTicked);
    const qint64 id =
        one(QStringLiteral("SELECT mdb_id FROM MONDATBANK WHERE mdb_akb_id=? AND mdb_szoveg=? AND "
                           "mdb_megoszt='U' AND mdb_usr_id=?"),
            {s.musicSub, hungarian, s.teacher})
            .toLongLong();
    QVERIFY(id);
    QCOMPARE(one(QStringLiteral("SELECT count(*) FROM MONDATBANK WHERE mdb_akb_id=?"), {s.musicSub}).toInt(),
             1);
    QCOMPARE(logEntries(log1), QStringList{QStringLiteral("MONDATBANK %1 Mondat importalasa").arg(id)});
    QVERIFY(row(music->lvSentences, hungarian));
}

void tst_curriculum::exportNeedsRowsAndTicks() {
    SchoolFixture &s = m_s->school;
    const QString file = path(QStringLiteral("semmi.mb"));
    auto w = openSentences(s.admin, SubjectTree::SubComp, s.addition);
    m_s->dialogs.expectMessage(
        QStringLiteral("Az egyes mondatok előtti jelölőnégyzeteket használva jelölje ki, "
                       "mely mondatokat szeretné exportálni!"),
        Icon::Information);
    w->mnuSelection->trigger();
    auto empty = openSentences(s.admin, SubjectTree::SubComp, s.subtraction);
    m_s->dialogs.expectMessage(QStringLiteral("Nincs exportálható mondat a listában."), Icon::Information);
    empty->mnuAll->trigger();
    QVERIFY(!QFile::exists(file));

    // A teacher has no check boxes: "Mindet" writes every row he sees.
    auto mine = openSentences(s.teacher, SubjectTree::SubComp, s.addition);
    QVERIFY(!mine->mnuSelection->isEnabled());
    m_s->dialogs.expectSaveFile(file);
    mine->mnuAll->trigger();
    QCOMPARE(fileBytes(file).size(), ExchangeFile::kHeaderSize + 2 * ExchangeFile::kSentenceField);
}

void tst_curriculum::importRefusesForeignFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray field = QByteArray("Mondat.") + QByteArray(503, ' ');
    QTest::newRow("class file") << QByteArray("mb42\x02\x00", 6) + field
                                << QStringLiteral("Hibás fájlformátum!");
    QTest::newRow("zero length") << QByteArray() << QStringLiteral("Hibás fájlformátum!");
    QTest::newRow("partial last field")
        << QByteArray("mb42\x01\x00", 6) + field + field.left(100)
        << QStringLiteral("Hiba történt a fájl megnyitása közben. Lehet, hogy a fájl sérült.");
}

void tst_curriculum::importRefusesForeignFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    SchoolFixture &s = m_s->school;
    const QString file = path(QStringLiteral("idegen.mb"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const int before = one(QStringLiteral("SELECT count(*) FROM MONDATBANK")).toInt();
    auto w = openSentences(s.admin, SubjectTree::SubComp, s.subtraction);
    m_s->dialogs.expectOpenFile(file);
    m_s->dialogs.expectMessage(message, Icon::Exclamation);
    QTest::mouseClick(w->btnImport, Qt::LeftButton);
    QCOMPARE(one(QStringLiteral("SELECT count(*) FROM MONDATBANK")).toInt(), before);
}

void tst_curriculum::mainMenuExportsAndImportsIntoOpenEditor() {
    SchoolFixture &s = m_s->school;
    frmMain *editor = m_s->openEditor(s.teacher);
    m_s->choosePupil(editor, 0);
    frmMenu *menu = m_s->menu;
    QVERIFY(menu->mnuSubjects->isEnabled() && menu->mnuExportAllSentences->isEnabled());

    // Every sentence the teacher may see, and none of another teacher's.
    const QString file = path(QStringLiteral("osszes.mb"));
    m_s->dialogs.expectSaveFile(file);
    menu->mnuExportAllSentences->trigger();
    const QByteArray bytes = fileBytes(file);
    QCOMPARE(bytes.size(), ExchangeFile::kHeaderSize + 2 * ExchangeFile::kSentenceField);
    QVERIFY(!bytes.contains("B\xE9la"));

    // Imported back into the sub-competency open in the editor: the editor lists them at once.
    s.db.db().connection().query(QStringLiteral("DELETE FROM MONDATBANK WHERE mdb_usr_id=?"), {s.teacher});
    const qint64 shownAkb = editor->cmbSubCompetencies->currentData().toLongLong();
    m_s->dialogs.expectOpenFile(file);
    bool subjectTakesSentences = true;
    m_s->dialogs.expectModal(QStringLiteral("frmChooseSubComp"), [&](QDialog *d) {
        auto *tree = d->findChild<QTreeWidget *>(QStringLiteral("tvSubjects"));
        auto *ok = d->findChild<QPushButton *>(QStringLiteral("btnOK"));
        tree->setCurrentItem(node(tree, {QStringLiteral("Matematika")}));
        subjectTakesSentences = ok->isEnabled();
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->parent() && (*it)->parent()->parent() &&
                (*it)->data(0, IdRole).toLongLong() == shownAkb)
                tree->setCurrentItem(*it);
        QTest::mouseClick(ok, Qt::LeftButton);
        return d->result();
    });
    m_s->dialogs.expectModal(QStringLiteral("frmImportSentences"), [](QDialog *d) {
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnImport")), Qt::LeftButton);
        return d->result();
    });
    menu->mnuImportSentences->trigger();
    QVERIFY(!subjectTakesSentences);
    QCOMPARE(one(QStringLiteral("SELECT count(*) FROM MONDATBANK WHERE mdb_usr_id=? AND mdb_akb_id=?"),
                 {s.teacher, shownAkb})
                 .toInt(),
             2);
    QStringList listed;
    for (int i = 0; i < editor->dlSentences->topLevelItemCount(); ++i)
        listed << editor->dlSentences->topLevelItem(i)->text(0).trimmed();
    QCOMPARE(listed.count(QStringLiteral("Anna saját mondata.")), 1);
    QCOMPARE(listed.count(QStringLiteral("Hibátlanul ad össze.")), shownAkb == s.addition ? 2 : 1);

    // The subject tree from the menu.
    int subjects = 0;
    m_s->dialogs.expectModal(QStringLiteral("frmSubjects"), [&](QDialog *d) {
        subjects = d->findChild<QTreeWidget *>(QStringLiteral("tvSubjects"))->topLevelItemCount();
        return int(QDialog::Accepted);
    });
    menu->mnuSubjects->trigger();
    QCOMPARE(subjects, 2);
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_curriculum)
#include "tst_curriculum.moc"
