#pragma once

#include <QDate>
#include <QList>
#include <QString>

class CommandSet;

// Everything the documents of one rating print, read once with the printing commands. Null names and texts
// are empty strings.
struct PrintData {
    struct Part {
        qint64 id = 0;         // esz_id
        QString text;          // esz_szoveg
        QString subCompetency; // akb_nev
        QString competency;    // kpb_nev
        QString subject;       // ata_rnev (the subject's print name)
    };

    qint64 ertId = 0;
    qint64 tanId = 0;
    QString classLabel; // grade "/" class name
    QString omCode;     // int_omkod
    QString town;       // int_varos
    QString familyName, givenName, motherName, guardianName, birthPlace, country;
    QDate birthDate;
    QString serial;         // ert_sorsz, the class register serial
    QString registerNumber; // ert_tlapszam
    qint64 tevId = 0;
    QString grade;               // osz_evfolyam
    QString decision;            // ert_hatarozat_evf
    QString unexcusedHours;      // ert_igazolatlan
    QString missedHours;         // ert_mulaszt
    QDate issued;                // ert_keltezes
    QString status;              // ert_vegleges
    bool officialPeriod = false; // tev_hivatalos "Igen"
    int schoolYear = 0;          // tev_ev, first calendar year of the school year
    // The name options the official certificate and register sheet were printed with
    // (SheetRecords::namesCode); -1 when no official run of that type is recorded.
    int certificateNames = -1;
    int registerNames = -1;
    QStringList clauses;
    QList<Part> parts;
    // Faulty-sheet flags by sheet number (index 0 is sheet 1).
    QList<bool> faultyCertificateSheets;
    QList<bool> faultyRegisterSheets;

    QString pupilName() const { return familyName + QLatin1Char(' ') + givenName; }

    // What the ratings of one class print alike (the class label, the school, the period): the first read
    // of a class keeps them here, and the reads of its other pupils take them without asking again.
    struct ClassShared {
        bool known = false;
        QString classLabel, omCode, town;
        bool officialPeriod = false;
        int schoolYear = 0;
    };

    // Reads the data set of a rating and its pupil through devPrint. Throws DbError on an engine error and
    // PrintError (with a Hungarian message) when the rating or its pupil is not found. shared: for the
    // ratings of one class and period only.
    static PrintData read(CommandSet &devPrint, qint64 ertId, qint64 tanId, ClassShared *shared = nullptr);
};
