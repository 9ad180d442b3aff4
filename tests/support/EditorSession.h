#pragma once

#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "rating/EditorContext.h"

#include <QPointer>
#include <functional>

class QDialog;
class frmMain;
class frmMenu;

// One test's school, dialog script and main window, with the rating editor opened through the menu and a
// pupil chosen through the pupil chooser, as a user does it. Closing tears the windows down and checks
// that every announced dialog came.
struct EditorSession {
    // dictionary: the spell checker's (empty: the system's Hungarian one).
    explicit EditorSession(const QString &dictionary = QString());
    ~EditorSession();
    void close();

    // Logs the user in, opens the main window and the editor (no pupil yet).
    frmMain *openEditor(qint64 user);
    // Chooses a pupil of the first class through the editor's "Tanuló kiválasztása..." button.
    void choosePupil(frmMain *editor, int pupilRow);
    // The driver of the pupil chooser used by choosePupil, for tests that announce it themselves.
    static std::function<int(QDialog *)> pickPupil(int pupilRow, std::function<void(QDialog *)> before = {});
    qint64 ratingOf(int pupil);

    TestDatabase db;
    SchoolFixture school{db};
    ScriptedDialogService dialogs;
    EditorContext editors;
    QPointer<frmMenu> menu;
};
