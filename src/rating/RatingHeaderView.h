#pragma once

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The header view of the rating editor (frame "Törzslap"): absences, decision, date, clauses, register
// numbers and printed sheets, with the save, print and finalise buttons.
class RatingHeaderView : public QGroupBox {
    Q_OBJECT
public:
    explicit RatingHeaderView(QWidget *parent = nullptr);

    // Refills the day list for the month chosen (29 days for February in every year).
    void fillDays();
    // Empties every field.
    void clear();

    QLabel *lblMulOrak;
    QLineEdit *txtMulOrak;
    QLabel *lblIgazolatlan;
    QLineEdit *txtIgazolatlan;
    QLabel *lblEvfolyam;
    QLineEdit *txtEvfolyam;
    QLabel *lblKelt;
    QLineEdit *txtKelt;
    QComboBox *cmbMonth;
    QComboBox *cmbDay;
    QLabel *lblTLSZ_SZ;
    QLabel *lblONS;
    QListWidget *List1;
    QListWidget *List2;
    QTreeWidget *listClosures;
    QPlainTextEdit *txtActual;
    QPushButton *btnAddClause;
    QPushButton *btnModifyClause;
    QPushButton *btnRemoveClause;
    QPushButton *btnSaveRating;
    QPushButton *btnPrint;
    QPushButton *btnClose;
};
