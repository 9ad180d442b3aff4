#pragma once

#include "print/PrintControl.h"
#include "print/PrintOptions.h"
#include "rating/RatingOutline.h"

#include <QObject>
#include <QTimer>
#include <functional>

class PrintChoices;
class QLabel;

// How much of the landscape certificate a rating fills, counted by the composing code that prints it:
// the sheets ("pótlap") it takes and how full its last text page is. Counting reads nothing from the
// database; the caller hands over the parts as they stand, pending edits included.
class FillCounter : public QObject {
    Q_OBJECT
public:
    struct Result {
        int pages = 0;       // document pages composed (front and back of each sheet)
        int sheets = 0;      // sheets of the form
        int textPages = 0;   // text pages among them
        int lastPercent = 0; // how much of the last text page's box the text fills
    };
    // pc: the control to compose into; one kept between counts keeps its measured words.
    static Result count(PrintControl &pc, const QList<RatingOutline::Part> &parts,
                        const PrintOptions &options);
    // "Bizonyítvány: 2 pótlap (a 4. oldal 60%-a)".
    static QString describe(const Result &result);

    // Shows the count in a label, half a second after the last change at most, composed with the print
    // window's last choices.
    FillCounter(QLabel *label, std::function<QList<RatingOutline::Part>()> parts, const PrintChoices &choices,
                QObject *parent = nullptr);
    // A change: the count follows once typing stops.
    void schedule();
    void countNow();
    void clear();
    // The name options the rating's official certificate was printed with (SheetRecords::namesCode), which
    // the count then uses instead of the print window's last choice; -1 when it has not been printed.
    void setPrintedNames(int code) { m_printedNames = code; }

    static constexpr int kDelayMs = 400;

private:
    QLabel *m_label;
    const PrintChoices &m_choices;
    std::function<QList<RatingOutline::Part>()> m_parts;
    QTimer m_timer;
    PrintControl m_pc;
    int m_printedNames = -1;
};
