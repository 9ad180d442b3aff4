#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Iskola adatai": the one row of the school's data. An administrator edits it; anybody else reads it.
class frmSchool : public QDialog {
    Q_OBJECT
public:
    explicit frmSchool(QWidget *parent = nullptr);

    // Reads the school's row and applies the current user's role; throws DbError.
    void load();

    // The five fields in order: name, OM identifier, postal code, town, address (objects txtField_0..4).
    enum Field { Name, OmCode, PostalCode, Town, Street, FieldCount };
    QLineEdit *txtField[FieldCount];
    QLabel *Label1;
    QLabel *Label2;
    QLabel *lblIrsz;
    QLabel *Label4;
    QLabel *Label5;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    void txtIrsz_Change();
    void btnOK_Click();
};
