#include "print/DocumentLayout.h"

#include "print/BookletImposition.h"
#include "print/PrintControl.h"
#include "print/TextPieces.h"

#include <QLocale>
#include <utility>

namespace {

// The text areas of the landscape sheet's halves and of the A4 pages, in millimetres.
constexpr int kLandLeft = 10, kLandTop = 20, kLandWidth = 115, kLandHeight = 170;
constexpr int kLandRightHalf = 10 + 137;
constexpr int kA4Left = 25, kA4Top = 25, kA4Width = 160, kA4Height = 247;

// The school town of the date line gets at most this many millimetres; the font shrinks point by point
// down to 4 points to fit, and a town that needs less than 5 points is left out.
constexpr int kTownWidth = 35;
constexpr double kTownSmallest = 4;
constexpr double kTownPrintable = 5;

} // namespace

DocumentLayout::DocumentLayout(PrintControl &pc, PrintData data, const PrintOptions &options)
    : m_pc(pc), m_data(std::move(data)), m_options(options) {}

bool DocumentLayout::duplicate() const {
    if (!m_options.official || m_options.reprint)
        return false;
    const QString &s = m_data.status;
    switch (m_options.document) {
    case PrintOptions::Document::Certificate:
        return s == QLatin1String("B") || s == QLatin1String("P");
    case PrintOptions::Document::RegisterSheet:
        return s == QLatin1String("T") || s == QLatin1String("P");
    case PrintOptions::Document::CertificateA4:
        return false;
    }
    return false;
}

int DocumentLayout::compose() {
    switch (m_options.document) {
    case PrintOptions::Document::Certificate:
        m_pc.setOrientation(1);
        m_pc.setPaperSize(1);
        m_pc.startDoc();
        composeCertificate();
        break;
    case PrintOptions::Document::CertificateA4:
        m_pc.setOrientation(0);
        m_pc.setPaperSize(9);
        m_pc.startDoc();
        composeCertificateA4();
        break;
    case PrintOptions::Document::RegisterSheet:
        m_pc.setOrientation(0);
        m_pc.setPaperSize(9);
        m_pc.setMarginLeft(0);
        m_pc.setMarginRight(0);
        m_pc.setMarginTop(0);
        m_pc.setMarginBottom(0);
        m_pc.startDoc();
        composeRegisterSheet();
        break;
    }
    m_pc.endDoc();
    return m_pc.pageCount();
}

void DocumentLayout::textAt(int xMm, int yMm, const QString &text, double step) {
    const double size = m_pc.fontSize();
    if (step != 0)
        m_pc.setFontSize(size + step);
    m_pc.setCurrentX(toTwips(xMm));
    m_pc.setCurrentY(toTwips(yMm));
    m_pc.text(text);
    if (step != 0)
        m_pc.setFontSize(size);
}

void DocumentLayout::boxAt(const QString &text, int leftMm, int topMm, int widthMm, int heightMm, int align) {
    m_pc.setTextAlign(align);
    m_pc.textBox(text, toTwips(leftMm), toTwips(topMm), toTwips(widthMm), toTwips(heightMm));
    m_pc.setTextAlign(0);
}

void DocumentLayout::textArea(const QString &text, int leftMm, int topMm, int widthMm, int heightMm) {
    boxAt(text, leftMm, topMm, widthMm, heightMm, 9);
}

void DocumentLayout::lineMm(int x1, int y1, int x2, int y2) {
    m_pc.drawLine(toTwips(x1), toTwips(y1), toTwips(x2), toTwips(y2));
}

// --- Landscape certificate ---------------------------------------------------------------------------

void DocumentLayout::composeCertificate() {
    const QStringList pieces = TextPieces::build(m_data, m_options, false);
    m_textPages = TextPieces::fillPages(m_pc, pieces, toTwips(kLandWidth), TextPieces::landscapeFill);
    const int n = int(m_textPages.size());
    const QList<BookletImposition::Side> sides = BookletImposition::sides(n);
    auto pageText = [&](int number) {
        return number >= 1 && number <= n ? m_textPages.at(number - 1) : QString();
    };

    for (int i = 0; i < sides.size(); ++i) {
        const BookletImposition::Side &side = sides.at(i);
        if (i > 0)
            m_pc.newPage();
        if (side.cover) {
            certificateFront(pageText(side.left));
            continue;
        }
        if (!m_options.handFilled)
            textAt(9, 10, heading());
        if (duplicate())
            textAt(197, 10, duplicateMark());
        if (side.left)
            textArea(pageText(side.left), kLandLeft, kLandTop, kLandWidth, kLandHeight);
        if (side.right)
            textArea(pageText(side.right), kLandRightHalf, kLandTop, kLandWidth, kLandHeight);
    }
}

void DocumentLayout::certificateFront(const QString &thirdPage) {
    if (duplicate())
        textAt(187, 5, duplicateMark());
    if (!m_options.handFilled) {
        textAt(212, 12, QStringLiteral("TÖRZSLAPSZÁM:"), -2);
        textAt(239, 12, m_data.registerNumber, -2);

        m_pc.setFontBold(true);
        textAt(165, 46, QStringLiteral("BIZONYÍTVÁNY PÓTLAP"), 10);
        m_pc.setFontBold(false);

        textAt(143, 82, QStringLiteral("a"));
        textAt(145, 80, QStringLiteral("1"), -3);

        // The name sits on the form's line: flush right on the bottom edge of its box.
        const double size = m_pc.fontSize();
        m_pc.setFontSize(size + 10);
        boxAt(m_data.pupilName(), 157, 55, 90, 20, 7);
        m_pc.setFontSize(size);

        textAt(143, 93, QStringLiteral("OM azonosító:"));
        textAt(172, 93, m_data.omCode);
        textAt(207, 93, m_data.classLabel);
        textAt(237, 93, QStringLiteral("osztályban"));

        schoolYearLine(162, 112);

        textAt(144, 160, QStringLiteral("Az iskola hosszú bélyegzője"), -2);
        textAt(142, 160, QStringLiteral("1"), -3);

        dateLine();

        textAt(60, 170, QStringLiteral("P.H."));
        lineMm(69, 175, 122, 175);
        textAt(87, 180, QStringLiteral("Osztályfőnök"));
        lineMm(7, 175, 57, 175);
        textAt(24, 180, QStringLiteral("Igazgató"));
    }
    // A third text page goes on the left half, the back cover of the folded sheet.
    if (!thirdPage.isEmpty())
        textArea(thirdPage, kLandLeft, kLandTop, kLandWidth, kLandHeight);
}

// "a 2024 / 2025 tanévben elért eredményeiről": the same line on both certificates, from its left end.
void DocumentLayout::schoolYearLine(int xMm, int yMm) {
    textAt(xMm, yMm, QStringLiteral("a"));
    if (m_data.schoolYear > 0) {
        textAt(xMm + 5, yMm, QString::number(m_data.schoolYear));
        textAt(xMm + 20, yMm, QStringLiteral("/"));
        textAt(xMm + 25, yMm, QString::number(m_data.schoolYear + 1));
    }
    textAt(xMm + 36, yMm, QStringLiteral("tanévben elért eredményeiről"));
}

void DocumentLayout::dateLine() {
    constexpr int y = 158;
    textAt(8, y, QStringLiteral("Kelt:"));

    const double size = m_pc.fontSize();
    double townSize = size;
    while (m_pc.textWidth(m_data.town) > toTwips(kTownWidth) && townSize - 1 >= kTownSmallest) {
        townSize -= 1;
        m_pc.setFontSize(townSize);
    }
    if (townSize >= kTownPrintable && m_pc.textWidth(m_data.town) <= toTwips(kTownWidth))
        textAt(17, y, m_data.town);
    m_pc.setFontSize(size);

    textAt(55, y, QStringLiteral(","));
    const QDate &d = m_data.issued;
    if (d.isValid())
        textAt(57, y, d.toString(QStringLiteral("yyyy")) + QLatin1Char('.'));
    textAt(67, y, QStringLiteral("év"));
    if (d.isValid())
        textAt(77, y, QLocale(QLocale::Hungarian, QLocale::Hungary).monthName(d.month()));
    textAt(96, y, QStringLiteral("hó"));
    if (d.isValid())
        textAt(102, y, d.toString(QStringLiteral("dd")) + QLatin1Char('.'));
    textAt(112, y, QStringLiteral("napján"));
}

// --- A4 certificate ----------------------------------------------------------------------------------

void DocumentLayout::composeCertificateA4() {
    if (!m_options.handFilled) {
        m_pc.setFontBold(true);
        textAt(30, 20, QStringLiteral("BIZONYÍTVÁNY PÓTLAP"));
        m_pc.setFontBold(false);
        textAt(35, 36, m_data.pupilName(), 4);
        textAt(26, 52, QStringLiteral("a"));
        textAt(26, 63, QStringLiteral("OM azonosító:"));
        textAt(55, 63, m_data.omCode);
        textAt(85, 63, m_data.classLabel);
        textAt(120, 63, QStringLiteral("osztályban"));
        schoolYearLine(45, 82);
    }
    const QStringList pieces = TextPieces::build(m_data, m_options, false);
    m_textPages = TextPieces::fillPages(m_pc, pieces, toTwips(kA4Width), TextPieces::certificateA4Fill);
    for (int i = 0; i < m_textPages.size(); ++i) {
        if (i == 0) {
            // The first page is filled to 147 mm under the header, down to the text area's bottom at 272 mm;
            // the box is as tall as that filling.
            textArea(m_textPages.at(i), kA4Left, 125, kA4Width, 247 - 100);
        } else {
            m_pc.newPage();
            textArea(m_textPages.at(i), kA4Left, kA4Top, kA4Width, kA4Height);
        }
    }
}

// --- Register sheet ----------------------------------------------------------------------------------

void DocumentLayout::composeRegisterSheet() {
    if (duplicate())
        textAt(120, 15, duplicateMark());
    if (!m_options.handFilled)
        registerPersonalData();

    const QStringList pieces = TextPieces::build(m_data, m_options, true);
    m_textPages = TextPieces::fillPages(m_pc, pieces, toTwips(kA4Width), TextPieces::registerFill);
    for (int i = 0; i < m_textPages.size(); ++i) {
        if (i == 0) {
            textArea(m_textPages.at(i), kA4Left, 150, kA4Width, 97);
            continue;
        }
        m_pc.newPage();
        const int page = i + 1;
        const bool back = page % 2 == 0;
        const bool withHeading = back && !m_options.handFilled;
        if (withHeading)
            textAt(15, 15, heading());
        // The heading runs past 120 mm; under it the mark stays clear of it.
        if (duplicate())
            textAt(120, withHeading ? 20 : 15, duplicateMark());
        textArea(m_textPages.at(i), kA4Left, kA4Top, kA4Width, kA4Height);
    }
}

void DocumentLayout::registerPersonalData() {
    constexpr int L = 25, T = 25;
    const double size = m_pc.fontSize();
    m_pc.setFontSize(size - 2.25);

    lineMm(L, T, L + 170, T);
    lineMm(L, T + 13, L + 170, T + 13);
    lineMm(L, T + 29, L + 170, T + 29);
    lineMm(L, T + 47, L + 103, T + 47);
    lineMm(L, T + 64, L + 170, T + 64);
    for (const int x : {L, L + 21, L + 103, L + 170})
        lineMm(x, T, x, T + 64);
    for (const int x : {L + 56, L + 84})
        lineMm(x, T, x, T + 13);

    textAt(L + 5, T + 5, QStringLiteral("A tanuló"));
    textAt(L + 23, T + 2, QStringLiteral("Törzslapszám:"));
    boxAt(QStringLiteral("Osztálynapló sorszáma:"), L + 57, T + 1, 25, 8, 0);
    textAt(L + 87, T + 7, QStringLiteral("évfolyam"));
    textAt(L + 106, T + 2, QStringLiteral("Apja (gondviselő) neve:"));
    boxAt(QStringLiteral("Családi és utóneve"), L + 4, T + 18, 18, 10, 0);
    textAt(L + 106, T + 14, QStringLiteral("Anyja születési neve"));
    boxAt(QStringLiteral("Születési helye"), L + 4, T + 34, 15, 10, 0);
    textAt(L + 83, T + 33, QStringLiteral("község/város"));
    textAt(L + 92, T + 40, QStringLiteral("ország"));
    textAt(L + 106, T + 32, QStringLiteral("Feljegyzések személyi adatok változásához:"));
    boxAt(QStringLiteral("Születési ideje"), L + 4, T + 53, 15, 10, 0);
    m_pc.setFontSize(size);
    // Under the frame the labels are in the normal size: only so do the hours printed at 70 and 118 mm land
    // on the two blanks of their line (68.9-84.4 and 116.5-132 mm); in the frame's smaller size the line
    // ends at 111 mm and the hours would cover its words.
    textAt(L + 3, T + 80, QStringLiteral("Mulasztott órák száma:_______ ebből igazolatlan:_______"));
    textAt(L + 3, T + 95, QStringLiteral("A nevelőtestület határozata: "));
    textAt(L + 3, T + 120, QStringLiteral("Záradékok: "));

    m_pc.setFontBold(true);
    textAt(55, 32, m_data.registerNumber);
    // The serial shares its narrow cell with the label above it.
    textAt(82, 33, m_data.serial, -2);
    textAt(118, 27, m_data.grade);
    textAt(130, 33, m_data.guardianName);
    textAt(50, 42, m_data.pupilName());
    textAt(130, 44, m_data.motherName);
    textAt(50, 57, m_data.birthPlace);
    textAt(50, 65, m_data.country);
    textAt(50, 75,
           m_data.birthDate.isValid() ? m_data.birthDate.toString(QStringLiteral("yyyy.MM.dd.")) : QString());
    textAt(70, 105, m_data.missedHours);
    textAt(118, 105, m_data.unexcusedHours);
    boxAt(m_data.decision, 28, 125, 157, 13, 0);
    m_pc.setFontBold(false);
}
