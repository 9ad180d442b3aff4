#include "EditorSession.h"

#include "data/Clock.h"
#include "rating/frmMain.h"
#include "shell/ProgramExit.h"
#include "shell/frmMenu.h"
#include "ui/EditorLink.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

EditorSession::EditorSession(const QString &dictionary) : editors(dictionary) {
    ProgramExit::setHandler([] {});
}

EditorSession::~EditorSession() {
    close();
    Clock::reset();
    ProgramExit::setHandler(nullptr);
}

void EditorSession::close() {
    if (menu) {
        EditorLink::setAskToSave(nullptr);
        if (frmMain *e = frmMain::instance())
            delete e->parentWidget();
        delete menu;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    dialogs.verifyDone();
}

frmMain *EditorSession::openEditor(qint64 user) {
    db.loginAs(user);
    menu = new frmMenu(editors);
    menu->load();
    menu->show();
    menu->mnuRate->trigger();
    return frmMain::instance();
}

std::function<int(QDialog *)> EditorSession::pickPupil(int pupilRow, std::function<void(QDialog *)> before) {
    return [pupilRow, before](QDialog *d) {
        if (before)
            before(d);
        auto *classes = d->findChild<QTreeWidget *>(QStringLiteral("dlClass"));
        classes->setCurrentItem(classes->topLevelItem(0));
        auto *kids = d->findChild<QTreeWidget *>(QStringLiteral("listKid"));
        kids->setCurrentItem(kids->topLevelItem(pupilRow));
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnSelect")), Qt::LeftButton);
        return d->result();
    };
}

void EditorSession::choosePupil(frmMain *editor, int pupilRow) {
    dialogs.expectModal(QStringLiteral("frmKid"), pickPupil(pupilRow));
    QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("btnSelect")), Qt::LeftButton);
}

qint64 EditorSession::ratingOf(int pupil) {
    return school.ratingOf(pupil);
}
