#pragma once

#include "print/PrintData.h"
#include "print/PrintOptions.h"

#include <QDialog>

class PrintControl;
class PrintPreview;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabBar;

// Prints one pupil's rating: the rating open in the rating editor. Composes the chosen document into the
// print control, shows it as a preview, and prints trial copies or official copies on numbered forms.
class frmPrint : public QDialog {
    Q_OBJECT
public:
    explicit frmPrint(QWidget *parent = nullptr);
    ~frmPrint() override;

    // The rating and its pupil, set before the window is shown.
    void setRating(qint64 ertId, qint64 tanId);
    // Reads the print data set and composes the certificate, as at opening. Throws DbError or PrintError.
    void load();

    PrintControl *control() const { return m_pc; }
    const PrintData &data() const { return m_data; }
    int pageCount() const { return m_pageCount; }

    QTabBar *TabStrip1;
    QGroupBox *fmeBizonyitvany;
    QRadioButton *optBHivatalos;
    QRadioButton *optBElonezet;
    QRadioButton *optBA4;
    QGroupBox *fmeTorzslap;
    QRadioButton *optTHivatalosA4;
    QRadioButton *optTElonezetA4;
    QGroupBox *fmeTorzslapKivonat;
    QRadioButton *optTorzsKivonat;
    QCheckBox *chbKompetencia;
    QCheckBox *chbAlKomp;
    QCheckBox *chbKeziPapir;
    QLabel *lblHiba;
    QComboBox *cmbHiba;
    QPushButton *btnHibasNyomtat;
    QPushButton *btnPrint;
    QPushButton *cmdKilep;
    PrintPreview *vsPrint;

signals:
    // The document was composed with these options; the editor's fill line counts with them.
    void optionsChosen(const PrintOptions &options);

private:
    void TabStrip1_Click();
    void option_Click(QRadioButton *option);
    void chbAlKomp_Click();
    void chbKeziPapir_Click();
    void btnPrint_Click();
    void btnHibasNyomtat_Click();

    // What the current tab and option compose.
    PrintOptions currentOptions() const;
    // The official option of the current tab is selected; its type ("B" or "T"), else empty.
    QString officialType() const;
    // Composes the current tab's document into the preview and shows the faulty sheets of an official one.
    void recompose();
    // The name options the official document of the current tab must keep (its type has been printed with
    // them), else -1.
    int keptNames() const;
    void fillFaultySheets();
    void showFaultyControls(bool show);

    PrintControl *m_pc;
    qint64 m_ertId = 0;
    qint64 m_tanId = 0;
    PrintData m_data;
    int m_pageCount = 0;
    // A faulty sheet is being reprinted: the official document is composed without the duplicate mark.
    bool m_reprint = false;
};
