#pragma once

#include "print/PrintData.h"
#include "print/PrintOptions.h"

#include <QStringList>

class PrintControl;

// Composes the pages of one rating's document into the print control at the fixed millimetre positions of
// the official pre-printed forms: the landscape certificate supplement sheet (front page and folded text
// pages), the A4 certificate and the register sheet (which also serves as its extract).
class DocumentLayout {
public:
    // The layout keeps its own copy of the data (cheap: the texts and lists are shared until written), so
    // it may be built from a temporary or outlive the caller's data set.
    DocumentLayout(PrintControl &pc, PrintData data, const PrintOptions &options);

    // Sets orientation, paper and margins for the document kind, starts the document, composes it and ends
    // it. Gives the number of pages composed (the print window keeps it; two pages make a sheet).
    int compose();

    // The evaluation text as poured into pages, known after compose().
    const QStringList &textPages() const { return m_textPages; }
    // The pages carry the duplicate mark "MÁSODLAT".
    bool duplicate() const;

    static QString heading() {
        return QStringLiteral("A tanuló teljesítményének, magatartásának, szorgalmának szöveges minősítése:");
    }
    static QString duplicateMark() { return QStringLiteral("MÁSODLAT"); }

private:
    void composeCertificate();
    void certificateFront(const QString &thirdPage);
    void dateLine();
    void schoolYearLine(int xMm, int yMm);
    void composeCertificateA4();
    void composeRegisterSheet();
    void registerPersonalData();

    // Text output at (x, y) millimetres, the font changed by step points for this item only.
    void textAt(int xMm, int yMm, const QString &text, double step = 0);
    // A text box in millimetres with an alignment code, restoring alignment 0 afterwards.
    void boxAt(const QString &text, int leftMm, int topMm, int widthMm, int heightMm, int align);
    // A text page in a box: justified at the top.
    void textArea(const QString &text, int leftMm, int topMm, int widthMm, int heightMm);
    void lineMm(int x1, int y1, int x2, int y2);

    PrintControl &m_pc;
    const PrintData m_data; // const: reading it never detaches the texts and lists it shares
    PrintOptions m_options;
    QStringList m_textPages;
};
