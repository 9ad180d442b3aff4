#pragma once

#include <QList>
#include <QMap>
#include <QString>

class PrintControl;
class QWidget;
struct PrintData;

// The dialogue of printing the document composed in the print control: trial copies whole or page by page,
// official runs on numbered forms with their records, and the reprint of a faulty sheet. Every question
// goes through the dialog service; pages go out one by one through the control.
class PrintRuns {
public:
    PrintRuns(QWidget *parent, PrintControl &pc) : m_parent(parent), m_pc(pc) {}

    // Print dialog, then the whole document.
    void printWhole();
    // Print dialog, then page by page, each after its paper prompt; Cancel ends the run.
    void printPageByPage();

    struct Outcome {
        bool recorded = false;  // sheets and status were written
        bool anyFailed = false; // a sheet was recorded as faulty
    };
    // The official run of the composed document of a type ("B" or "T") for the rating of data, with every
    // check in its order; names: the name options it prints with (SheetRecords::namesCode). A completed run
    // records its sheets, the names, the status and the log in one transaction; a run stopped for any reason
    // (Cancel, "megse", a printer that cannot be reached, a refused write) records nothing, but the serials
    // of the forms it used go into the log and to the user.
    Outcome printOfficial(const PrintData &data, const QString &type, int names);

    // Prints sheet k of the composed official document onto a new form (the print dialog has been shown)
    // and stores the new serial when the user says it printed well. True when stored.
    bool reprintSheet(qint64 ertId, const QString &type, int sheet);

    static QString paperPrompt(int page, const QString &sheetWord);

private:
    bool askSerial(const QString &prompt, QString &serial);
    bool askPaper(const QString &text);
    // Prints one page; false when the printer reported an error for it.
    bool printPage(int page);
    bool printDuplicate(const QString &type);
    // A stopped run: logs it and each form used so far (sheet to serial; failed ones marked), and tells the
    // user why (reason, may be empty) and which forms were used.
    void stopRun(qint64 ertId, const QString &type, const QString &reason, const QMap<int, QString> &used,
                 const QList<int> &failed);

    QWidget *m_parent;
    PrintControl &m_pc;
};
