#pragma once

#include <QDate>
#include <QGroupBox>
#include <QVariant>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class LimitedTextEdit;
class LinkLabel;

// The header view of the rating editor (frame "Törzslap"): absences, decision, date, clauses, register
// numbers and printed sheets, with the save, print and finalise buttons. Clause changes are written at once;
// changes of the other fields are reported with changed() and saved with the rating.
class RatingHeaderView : public QGroupBox {
    Q_OBJECT
public:
    explicit RatingHeaderView(QWidget *parent = nullptr);

    struct Values {
        QVariant absences;
        QVariant unexcused;
        QString decision;
        QDate date; // null when the fields form no date
    };
    Values values() const;

    // The rating whose clauses the view edits (0: none).
    void setRating(qint64 ertId) { m_ertId = ertId; }
    void setEditable(bool editable);
    // Colours the labels of the three number fields; true when all three are valid.
    bool validate();
    // Shows the stored absences and decision whole, even when longer than the typing limits.
    void showStored(const QString &absences, const QString &unexcused, const QString &decision);
    // Shows a date; a null date selects the first month and day.
    void showDate(const QDate &date);
    void fillDays();
    void ReloadClosures();
    void clear();

    QLabel *lblMulOrak;
    QLineEdit *txtMulOrak;
    QLabel *lblIgazolatlan;
    QLineEdit *txtIgazolatlan;
    QLabel *lblEvfolyam;
    QLineEdit *txtEvfolyam;
    LinkLabel *Command2;
    QLabel *lblKelt;
    QLineEdit *txtKelt;
    QComboBox *cmbMonth;
    QComboBox *cmbDay;
    LinkLabel *Label6;
    QLabel *lblTLSZ_SZ;
    QLabel *lblONS;
    QListWidget *List1;
    QListWidget *List2;
    QTreeWidget *listClosures;
    LimitedTextEdit *txtActual;
    LinkLabel *Command1;
    QPushButton *btnAddClause;
    QPushButton *btnModifyClause;
    QPushButton *btnRemoveClause;
    QPushButton *btnSaveRating;
    QPushButton *btnPrint;
    QPushButton *btnClose;

signals:
    // A header field changed (the editor marks the rating unsaved) ...
    void changed();
    // ... and whether the three number fields are valid now.
    void validityChanged(bool valid);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fieldChanged();
    void Label6_Click();
    void insertTemplate(bool clauses);
    void btnAddClause_Click();
    void btnModifyClause_Click();
    void btnRemoveClause_Click();
    bool hasSelectedClause();

    qint64 m_ertId = 0;
    bool m_filling = false;
};
