#include "rating/WritingAids.h"

#include "data/AppData.h"
#include "print/SheetRecords.h"
#include "rating/EditorContext.h"
#include "rating/EditorWidgets.h"
#include "rating/FillCounter.h"
#include "rating/NameWords.h"
#include "rating/RatingHeaderView.h"
#include "rating/SpellChecker.h"
#include "rating/SpellingAid.h"
#include "rating/frmFinaliseCheck.h"
#include "rating/frmKid.h"
#include "rating/frmMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>

WritingAids::WritingAids(frmMain *editor, QMainWindow *mainWindow, EditorContext &context)
    : QObject(editor), m_editor(editor), m_context(context) {
    SpellChecker &checker = context.spelling();
    m_spelling = new SpellingAid(checker, this);
    if (checker.isReady()) {
        m_spelling->attach(editor->txtRating);
        m_spelling->attach(editor->txtNewSentence);
        m_spelling->attach(editor->header->txtActual);
        m_spelling->attach(editor->header->txtEvfolyam);
    } else if (!context.toldSpellingOff && mainWindow) {
        context.toldSpellingOff = true;
        mainWindow->statusBar()->showMessage(
            QStringLiteral("A helyesírás-ellenőrzés ki van kapcsolva: nincs telepítve a magyar szótár."));
    }

    m_fill = new FillCounter(
        editor->lblFill, [this] { return m_outline.withPending(m_editor->pendingEdits()); },
        context.printChoices, this);
    // Every change of the shown part lands in the pending edits first; the count follows when typing stops.
    connect(editor->txtRating, &QPlainTextEdit::textChanged, this, [this] {
        if (m_editor->isRatingOpen())
            m_fill->schedule();
    });
}

void WritingAids::reloadOutline() {
    const Recordset &rating = m_editor->kidWindow()->rating();
    m_outline =
        RatingOutline::load(m_editor->ratingId(), rating.field(QStringLiteral("ert_tev_id")).toLongLong());
}

void WritingAids::ratingOpened() {
    if (!m_editor->isRatingOpen()) {
        m_outline = RatingOutline();
        m_fill->clear();
        return;
    }
    const Recordset &rating = m_editor->kidWindow()->rating();
    const Recordset pupils = AppData::current().devDB.run(
        QStringLiteral("getClassPupilNames"),
        {rating.field(QStringLiteral("ert_osz_id")), rating.field(QStringLiteral("ert_tev_id"))});
    QStringList names;
    for (int i = 0; i < pupils.count(); ++i)
        names << NameWords::split(pupils.at(i, QStringLiteral("tan_vnev")).toString() + QLatin1Char(' ') +
                                  pupils.at(i, QStringLiteral("tan_knev")).toString());
    m_context.spelling().setNames(names);
    m_spelling->recheck();
    reloadOutline();
    // A printed certificate is counted as it was printed.
    const QString status = rating.field(QStringLiteral("ert_vegleges")).toString();
    const QVariant printedNames = rating.field(QStringLiteral("ert_biz_nevek"));
    const bool printed = SheetRecords::alreadyPrinted(status, SheetRecords::kCertificate);
    m_fill->setPrintedNames(printed && !printedNames.isNull() ? printedNames.toInt() : -1);
    m_fill->countNow();
}

void WritingAids::saved() {
    if (!m_editor->isRatingOpen())
        return;
    reloadOutline();
    m_fill->schedule();
}

bool WritingAids::confirmFinalising() {
    return frmFinaliseCheck::confirm(m_editor,
                                     FinaliseCheck::read(m_editor->kidWindow()->rating(),
                                                         m_editor->pendingEdits(),
                                                         m_editor->header->txtEvfolyam->text()),
                                     &m_context.spelling());
}
