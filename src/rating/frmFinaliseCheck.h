#pragma once

#include "rating/FinaliseCheck.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// What the check before finalising found, with "Vissza" (back to the rating, nothing finalised) and
// "Mégis véglegesítem" (go on to finalising).
class frmFinaliseCheck : public QDialog {
    Q_OBJECT
public:
    frmFinaliseCheck(const QList<FinaliseCheck::Finding> &findings, QWidget *parent = nullptr);

    // Runs the check; true when nothing was found or the user chose to finalise all the same.
    static bool confirm(QWidget *parent, const FinaliseCheck::Rating &rating, SpellChecker *spelling);

    QLabel *lblFindings;
    QTreeWidget *lvFindings;
    QPushButton *btnBack;
    QPushButton *btnFinalise;
};
