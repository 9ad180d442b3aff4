#pragma once

#include "data/Recordset.h"
#include "rating/PendingEdits.h"

#include <QPointer>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class LimitedTextEdit;
class RatingHeaderView;
class SentenceList;
class EditorContext;
class WritingAids;
class frmKid;

// The rating editor: one pupil's rating, composed part by part (one part per sub-competency) from the
// sentence bank. Changes wait in the pending-edit buffer until saved. A non-modal child of the main window,
// whose caption it sets.
class frmMain : public QWidget {
    Q_OBJECT
public:
    // context: what the editors share for the program's run, owned by whoever opens the editor.
    frmMain(QMainWindow *mainWindow, EditorContext &context);
    ~frmMain() override;

    // The editor open now, if any.
    static frmMain *instance();

    void LoadSubjects(const Recordset &period);
    void SetMainDataEnable(bool enable);
    void ReloadSentences();
    void cmbSubCompetencies_Click();
    void ReloadClosures();
    // Saves the pending parts, then the header data. Edits stay pending when the save fails.
    void SaveChanges();
    // The header save, run as the last step of every save.
    void SaveRating();
    // True when the caller may go on; asks "Menti a változásokat..." while there are unsaved changes.
    bool askToSave();

    // Used by the pupil chooser while it opens a rating.
    void showHeaderData(const Recordset &rating);
    void showRegisterNumbers();
    void showSheets(qint64 ertId);
    void showEditingArea();
    void setTracking(bool on) { m_tracking = on; }

    bool isRatingOpen() const;
    bool isEditable() const { return m_editable; }
    bool isDirty() const { return m_dirty; }
    const PendingEdits &pendingEdits() const { return m_edits; }
    qint64 ratingId() const;
    frmKid *kidWindow() const { return m_kid; }

    QPushButton *btnSelect;
    QLabel *lblNoKid;
    QLabel *lblName;
    QLabel *lblBirth;
    QLabel *lblMother;
    QRadioButton *opView0;
    QRadioButton *opView1;
    QStackedWidget *views;
    QWidget *frmHideAll;
    RatingHeaderView *header;
    QGroupBox *frmRating;
    QTabBar *tabSubjects;
    QLabel *lblCompetence;
    QTabBar *tabCompetencies;
    QComboBox *cmbSubCompetencies;
    LimitedTextEdit *txtRating;
    QLabel *lblFill;
    SentenceList *dlSentences;
    QLineEdit *txtNewSentence;
    QPushButton *btnAdd;
    QPushButton *btnSave;
    QPushButton *btnRevert;

signals:
    // Whether the open rating may be edited, told each time the editor sets it (with no rating: false).
    void editableChanged(bool editable);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildRatingView();
    void tabSubjects_Click();
    void tabCompetencies_Click();
    void txtRating_Change();
    void dlSentences_DblClick();
    void btnAdd_Click();
    void btnRevert_Click();
    void btnSelect_Click();
    void opView_Click();
    void btnClose_Click();
    void btnPrint_Click();
    void setFinaliseButton();
    void reopenRating();
    void insertIntoRating(const QString &text);
    // Shows the part of the chosen sub-competency; after a save, a box already showing it is left alone.
    void showStoredPart(bool afterSave = false);
    void markDirty();
    void discardEdits();
    void resetWindow();
    void releaseLock();
    void setMainCaption(const QString &caption);
    qint64 currentAkbId() const;

    QPointer<QMainWindow> m_menu;
    EditorContext &m_context;
    frmKid *m_kid;
    PendingEdits m_edits;
    WritingAids *m_aids = nullptr;
    Recordset m_part;
    QString m_title;
    bool m_dirty = false;
    bool m_headerDirty = false; // header fields changed since the last save
    bool m_tracking = false;
    bool m_editable = false;
    bool m_lockedByMe = false;
};
