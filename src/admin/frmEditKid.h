#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// One pupil, new or existing, edited from a class.
class frmEditKid : public QDialog {
    Q_OBJECT
public:
    explicit frmEditKid(QWidget *parent = nullptr);

    // The text fields and their labels: family and given name, mother, guardian, place and country of
    // birth, year of birth.
    enum Field { Family, Given, Mother, Guardian, Place, Country, Year, FieldCount };
    QLineEdit *Fields[FieldCount] = {};
    QLabel *Labels[FieldCount] = {};
    QLabel *lblBirthPlace;
    QComboBox *cmbMonth;
    QComboBox *cmbDay;
    QLabel *lblTLSZ;
    QLineEdit *txtTLSZ;
    QLabel *lblSorsz;
    QLineEdit *txtSorsz;
    QPushButton *btnOK;
    QPushButton *btnCancel;

    void PrepareNew(qint64 oszId, qint64 tevId);
    // False when the pupil is not there (the user was told).
    bool LoadKid(qint64 tanId, qint64 oszId, qint64 tevId);

private:
    bool validate();
    void cmbMonth_Click();
    void widenYear();
    void btnOK_Click();
    bool eventFilter(QObject *watched, QEvent *event) override;

    qint64 m_tanId = 0;
    qint64 m_oszId = 0;
    qint64 m_tevId = 0;
};
