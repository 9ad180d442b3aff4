#pragma once

#include "rating/RatingOutline.h"

#include <QObject>

class EditorContext;
class FillCounter;
class QMainWindow;
class SpellingAid;
class frmMain;

// The writing aids of the rating editor, wired to its fields: spelling in the text fields, the line that
// tells how much of the certificate the rating fills, and the check before finalising.
class WritingAids : public QObject {
    Q_OBJECT
public:
    // mainWindow: where the status line is (may be null); context: what the editors share for the run.
    WritingAids(frmMain *editor, QMainWindow *mainWindow, EditorContext &context);

    // A rating has been opened (or reopened): names, outline and count follow it.
    void ratingOpened();
    // The pending edits went to the database: the outline is read again.
    void saved();
    // Runs the check before finalising; true when finalising may go on.
    bool confirmFinalising();

private:
    void reloadOutline();

    frmMain *m_editor;
    EditorContext &m_context;
    SpellingAid *m_spelling;
    FillCounter *m_fill;
    RatingOutline m_outline;
};
