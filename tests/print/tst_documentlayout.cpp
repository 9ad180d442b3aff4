// The three documents as composed: every fixed item at its millimetre position on the recorded pages, the
// duplicate mark, hand-filled forms, the placement of the text pages, and one PDF written end to end.
#include "PdfText.h"
#include "RatingRows.h"
#include "print/DocumentLayout.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Doc = PrintOptions::Document;

// The text output with this string whose top-left corner is at (x, y) mm, or nullptr.
const PrintItem *itemAt(const PrintPage &page, const QString &text, double x, double y) {
    for (const PrintItem *item : page.texts())
        if (item->text == text && qAbs(item->leftMm() - x) < 0.01 && qAbs(item->topMm() - y) < 0.01)
            return item;
    return nullptr;
}

const PrintItem *boxAt(const PrintPage &page, double left, double top, double width, double height) {
    for (const PrintItem *item : page.boxes())
        if (qAbs(item->leftMm() - left) < 0.01 && qAbs(item->topMm() - top) < 0.01 &&
            qAbs(item->widthMm() - width) < 0.01 && qAbs(item->heightMm() - height) < 0.01)
            return item;
    return nullptr;
}

bool hasLine(const PrintPage &page, int x1, int y1, int x2, int y2) {
    for (const PrintItem *l : page.lines())
        if (qAbs(l->leftMm() - x1) < 0.01 && qAbs(l->topMm() - y1) < 0.01 &&
            qAbs(twipsToMm(l->x2) - x2) < 0.01 && qAbs(twipsToMm(l->y2) - y2) < 0.01)
            return true;
    return false;
}

QString oneLine(int i) {
    return QStringLiteral("A(z) %1. mondat rövid és egy sorba fér.").arg(i);
}

// A rating in a database with the school, and parts of text under two subjects.
struct Fixture {
    TestDatabase t;
    RatingRows rows{t};
    RatingRows::Rating r;
    qint64 olvasas = 0, szamolas = 0;

    explicit Fixture(const QString &status = QStringLiteral("I")) {
        rows.setSchool(QStringLiteral("027384"), QStringLiteral("Pécs"));
        r = rows.makeRating(QStringLiteral("Kovács"), QStringLiteral("Ödön"), status);
        olvasas = rows.addBranch(r.tevId, QStringLiteral("Magyar nyelv"), QStringLiteral("Olvasás"),
                                 QStringLiteral("Hangos olvasás"));
        szamolas = rows.addBranch(r.tevId, QStringLiteral("Matematika"), QStringLiteral("Számolás"),
                                  QStringLiteral("Fejszámolás"));
    }
    void addLines(int count) {
        for (int i = 1; i <= count; ++i)
            rows.addPart(r.ertId, i % 2 ? olvasas : szamolas, oneLine(i));
    }
    PrintData data() { return PrintData::read(t.app().devPrint, r.ertId, r.tanId); }
};

struct Composed {
    PrintControl pc;
    QStringList textPages;
    int pages = 0;
    bool duplicate = false;
};

std::unique_ptr<Composed> compose(const PrintData &data, const PrintOptions &options) {
    auto c = std::make_unique<Composed>();
    PrintData given = data;
    DocumentLayout layout(c->pc, given, options);
    given = PrintData(); // what the layout was given is what it composes, whatever the caller does later
    c->pages = layout.compose();
    c->textPages = layout.textPages();
    c->duplicate = layout.duplicate();
    return c;
}

PrintOptions optionsFor(Doc kind) {
    PrintOptions o;
    o.document = kind;
    return o;
}

} // namespace

class tst_documentlayout : public QObject {
    Q_OBJECT
private slots:
    void certificateFrontItems_data();
    void certificateFrontItems();
    void certificateFrontLinesNameBoxAndPaper();
    void certificateInsidePage();
    void duplicateMark_data();
    void duplicateMark();
    void handFilledLeavesOnlyTextAreas_data();
    void handFilledLeavesOnlyTextAreas();
    void threeTextPagesUseTheFrontPage();
    void fourAndMoreTextPagesFoldIntoABooklet();
    void pieceLargerThanAPage();
    void townShrinksToFit();
    void townTooWideEvenAtFourPoints();
    void noNamesWithBothBoxesUnticked();
    void certificateA4_data();
    void certificateA4();
    void registerSheetFrameAndLabels();
    void registerSheetValues_data();
    void registerSheetValues();
    void registerSheetBackPageHeadings();
    void pdfEndToEnd();
};

void tst_documentlayout::certificateFrontItems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    auto row = [](const char *tag, const QString &text, int x, int y, double size, bool bold = false) {
        QTest::newRow(tag) << text << x << y << size << bold;
    };
    row("register label", QStringLiteral("TÖRZSLAPSZÁM:"), 212, 12, 9.25);
    row("register number", QStringLiteral("T-123/2025"), 239, 12, 9.25);
    row("title", QStringLiteral("BIZONYÍTVÁNY PÓTLAP"), 165, 46, 21.25, true);
    row("a", QStringLiteral("a"), 143, 82, 11.25);
    row("footnote 1", QStringLiteral("1"), 145, 80, 8.25);
    row("OM label", QStringLiteral("OM azonosító:"), 143, 93, 11.25);
    row("OM code", QStringLiteral("027384"), 172, 93, 11.25);
    row("class", QStringLiteral("3/b"), 207, 93, 11.25);
    row("osztályban", QStringLiteral("osztályban"), 237, 93, 11.25);
    row("year a", QStringLiteral("a"), 162, 112, 11.25);
    row("first year", QStringLiteral("2024"), 167, 112, 11.25);
    row("slash", QStringLiteral("/"), 182, 112, 11.25);
    row("second year", QStringLiteral("2025"), 187, 112, 11.25);
    row("tanévben", QStringLiteral("tanévben elért eredményeiről"), 198, 112, 11.25);
    row("stamp", QStringLiteral("Az iskola hosszú bélyegzője"), 144, 160, 9.25);
    row("footnote 2", QStringLiteral("1"), 142, 160, 8.25);
    row("Kelt", QStringLiteral("Kelt:"), 8, 158, 11.25);
    row("town", QStringLiteral("Pécs"), 17, 158, 11.25);
    row("comma", QStringLiteral(","), 55, 158, 11.25);
    row("year", QStringLiteral("2025."), 57, 158, 11.25);
    row("év", QStringLiteral("év"), 67, 158, 11.25);
    row("month", QStringLiteral("június"), 77, 158, 11.25);
    row("hó", QStringLiteral("hó"), 96, 158, 11.25);
    row("day", QStringLiteral("13."), 102, 158, 11.25);
    row("napján", QStringLiteral("napján"), 112, 158, 11.25);
    row("PH", QStringLiteral("P.H."), 60, 170, 11.25);
    row("form teacher", QStringLiteral("Osztályfőnök"), 87, 180, 11.25);
    row("head", QStringLiteral("Igazgató"), 24, 180, 11.25);
}

void tst_documentlayout::certificateFrontItems() {
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(double, size);
    QFETCH(bool, bold);
    Fixture f;
    f.addLines(3);
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    const PrintItem *item = itemAt(c->pc.page(1), text, x, y);
    QVERIFY2(item, qPrintable(text));
    QCOMPARE(item->fontSize, size);
    QCOMPARE(item->bold, bold);
}

void tst_documentlayout::certificateFrontLinesNameBoxAndPaper() {
    Fixture f;
    f.addLines(3);
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    QCOMPARE(c->pc.document().paper.orientation, 1);
    QCOMPARE(c->pc.document().paper.code, 1);
    QCOMPARE(c->pages, 2);
    const PrintPage &front = c->pc.page(1);
    QCOMPARE(front.lines().size(), 2);
    QVERIFY(hasLine(front, 69, 175, 122, 175));
    QVERIFY(hasLine(front, 7, 175, 57, 175));
    const PrintItem *name = boxAt(front, 157, 55, 90, 20);
    QVERIFY(name);
    QCOMPARE(name->text, QStringLiteral("Kovács Ödön"));
    QCOMPARE(name->align, 7);
    QCOMPARE(name->fontSize, 21.25);
    QVERIFY(!name->bold);
    QVERIFY(!front.findText(DocumentLayout::duplicateMark()));
    // Every item lies inside the part that Letter and A4 share, so the A4 sheet loses nothing.
    for (int p = 1; p <= c->pages; ++p)
        for (const PrintItem &item : c->pc.page(p).items) {
            const double right =
                item.kind == PrintItem::Kind::Line ? twipsToMm(item.x2) : item.leftMm() + item.widthMm();
            const double bottom =
                item.kind == PrintItem::Kind::Line ? twipsToMm(item.y2) : item.topMm() + item.heightMm();
            QVERIFY2(right <= 279.4 && bottom <= 210.0, qPrintable(item.text));
        }
}

void tst_documentlayout::certificateInsidePage() {
    Fixture f;
    f.addLines(3);
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    const PrintPage &inside = c->pc.page(2);
    QVERIFY(itemAt(inside, DocumentLayout::heading(), 9, 10));
    const PrintItem *text = boxAt(inside, 10, 20, 115, 170);
    QVERIFY(text);
    QCOMPARE(text->align, 9);
    QCOMPARE(text->fontSize, 11.25);
    // In the order of the curriculum: the subject's parts together.
    QCOMPARE(text->lines(), QStringList({oneLine(1), oneLine(3), oneLine(2)}));
    // One text page: the right half stays empty.
    QCOMPARE(inside.boxes().size(), 1);
    QCOMPARE(c->pc.textAlign(), 0);
}

void tst_documentlayout::duplicateMark_data() {
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("official");
    QTest::addColumn<bool>("reprint");
    QTest::addColumn<bool>("certificateMark");
    QTest::addColumn<bool>("registerMark");
    QTest::newRow("B official") << "B" << true << false << true << false;
    QTest::newRow("P official") << "P" << true << false << true << true;
    QTest::newRow("T official") << "T" << true << false << false << true;
    QTest::newRow("I official") << "I" << true << false << false << false;
    QTest::newRow("B trial") << "B" << false << false << false << false;
    QTest::newRow("P reprint") << "P" << true << true << false << false;
}

void tst_documentlayout::duplicateMark() {
    QFETCH(QString, status);
    QFETCH(bool, official);
    QFETCH(bool, reprint);
    QFETCH(bool, certificateMark);
    QFETCH(bool, registerMark);
    Fixture f(status);
    f.addLines(3);
    PrintOptions o = optionsFor(Doc::Certificate);
    o.official = official;
    o.reprint = reprint;
    auto c = compose(f.data(), o);
    QCOMPARE(c->duplicate, certificateMark);
    QCOMPARE(bool(itemAt(c->pc.page(1), DocumentLayout::duplicateMark(), 187, 5)), certificateMark);
    QCOMPARE(bool(itemAt(c->pc.page(2), DocumentLayout::duplicateMark(), 197, 10)), certificateMark);
    o.document = Doc::RegisterSheet;
    auto reg = compose(f.data(), o);
    QCOMPARE(bool(itemAt(reg->pc.page(1), DocumentLayout::duplicateMark(), 120, 15)), registerMark);
    // Never on the A4 certificate, which is no official document.
    o.document = Doc::CertificateA4;
    auto a4 = compose(f.data(), o);
    QVERIFY(!a4->pc.page(1).allText().contains(DocumentLayout::duplicateMark()));
}

void tst_documentlayout::handFilledLeavesOnlyTextAreas_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("certificate") << int(Doc::Certificate);
    QTest::newRow("a4") << int(Doc::CertificateA4);
    QTest::newRow("register") << int(Doc::RegisterSheet);
}

void tst_documentlayout::handFilledLeavesOnlyTextAreas() {
    QFETCH(int, kind);
    Fixture f(QStringLiteral("P"));
    f.addLines(100);
    f.rows.addClause(f.r.ertId, QStringLiteral("Záradék szövege."));
    PrintOptions o = optionsFor(Doc(kind));
    o.handFilled = true;
    o.official = true;
    auto c = compose(f.data(), o);
    QVERIFY(c->pages >= 2);
    for (int p = 1; p <= c->pages; ++p) {
        const PrintPage &page = c->pc.page(p);
        QVERIFY(page.lines().isEmpty());
        // Only the duplicate mark besides the text boxes; and each box is an evaluation text page.
        for (const PrintItem *t : page.texts())
            QCOMPARE(t->text, DocumentLayout::duplicateMark());
        for (const PrintItem *b : page.boxes())
            QVERIFY(c->textPages.contains(b->text));
    }
    int boxes = 0;
    for (int p = 1; p <= c->pages; ++p)
        boxes += int(c->pc.page(p).boxes().size());
    QCOMPARE(boxes, int(c->textPages.size()));
    if (Doc(kind) != Doc::CertificateA4)
        QVERIFY(c->pc.page(1).findText(DocumentLayout::duplicateMark()));
}

void tst_documentlayout::threeTextPagesUseTheFrontPage() {
    Fixture f;
    f.addLines(80); // 36 + 36 one-line parts fill two pages of 170 mm, the rest goes on the third
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    QCOMPARE(c->textPages.size(), 3);
    QCOMPARE(c->pages, 2);
    const PrintPage &front = c->pc.page(1);
    const PrintItem *third = boxAt(front, 10, 20, 115, 170);
    QVERIFY(third);
    QCOMPARE(third->text, c->textPages.at(2));
    QCOMPARE(third->align, 9);
    // Filled to 140 mm: its text ends above the date line at 158 mm.
    QVERIFY(third->textHeight <= toTwips(140));
    QVERIFY(twipsToMm(third->runs.last().baseline) < 158);
    const PrintPage &inside = c->pc.page(2);
    QCOMPARE(boxAt(inside, 10, 20, 115, 170)->text, c->textPages.at(0));
    QCOMPARE(boxAt(inside, 147, 20, 115, 170)->text, c->textPages.at(1));
    QVERIFY(c->textPages.at(0).startsWith(oneLine(1)));
    QVERIFY(c->textPages.at(2).endsWith(oneLine(80) + QStringLiteral("\r\n")));
}

void tst_documentlayout::fourAndMoreTextPagesFoldIntoABooklet() {
    Fixture f;
    f.addLines(150);
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    QCOMPARE(c->textPages.size(), 5);
    QCOMPARE(c->pages, 4); // two nested sheets
    // The front page's left half stays empty.
    QCOMPARE(c->pc.page(1).boxes().size(), 1); // the name box only
    auto textOf = [&](int page, int left) {
        const PrintItem *b = boxAt(c->pc.page(page), left, 20, 115, 170);
        return b ? c->textPages.indexOf(b->text) + 1 : 0;
    };
    // Outer sheet inside: 1 | 6 (none); inner sheet front: 5 | 2; inner sheet back: 3 | 4.
    QCOMPARE(textOf(2, 10), 1);
    QCOMPARE(textOf(2, 147), 0);
    QCOMPARE(textOf(3, 10), 5);
    QCOMPARE(textOf(3, 147), 2);
    QCOMPARE(textOf(4, 10), 3);
    QCOMPARE(textOf(4, 147), 4);
    for (int p = 2; p <= 4; ++p)
        QVERIFY(itemAt(c->pc.page(p), DocumentLayout::heading(), 9, 10));
}

void tst_documentlayout::pieceLargerThanAPage() {
    Fixture f;
    QStringList long_;
    for (int i = 0; i < 700; ++i)
        long_.append(QStringLiteral("hosszú"));
    f.rows.addPart(f.r.ertId, f.olvasas, QStringLiteral("Rövid."));
    f.rows.addPart(f.r.ertId, f.olvasas, long_.join(QLatin1Char(' ')));
    f.rows.addPart(f.r.ertId, f.szamolas, QStringLiteral("Utána."));
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    QCOMPARE(c->textPages.size(), 3);
    QCOMPARE(c->textPages.at(1), long_.join(QLatin1Char(' ')) + QStringLiteral("\r\n"));
    const PrintItem *big = boxAt(c->pc.page(2), 147, 20, 115, 170);
    QVERIFY(big);
    // It runs past its box rather than being cut.
    QVERIFY(big->textHeight > big->height);
    QCOMPARE(big->lines().join(QLatin1Char(' ')).count(QStringLiteral("hosszú")), 700);
}

void tst_documentlayout::townShrinksToFit() {
    Fixture f;
    const QString town = QStringLiteral("Hódmezővásárhely-Kútvölgy");
    f.rows.setSchool(QStringLiteral("1"), town);
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    const PrintItem *item = itemAt(c->pc.page(1), town, 17, 158);
    QVERIFY(item);
    QVERIFY(item->fontSize < 11.25 && item->fontSize >= 5);
    QVERIFY(item->widthMm() <= 35.0);
    // One point larger it would not have fitted.
    c->pc.setFontSize(item->fontSize + 1);
    QVERIFY(twipsToMm(c->pc.textWidth(town)) > 35.0);
    // The size is restored for what follows.
    QCOMPARE(itemAt(c->pc.page(1), QStringLiteral(","), 55, 158)->fontSize, 11.25);
}

void tst_documentlayout::townTooWideEvenAtFourPoints() {
    Fixture f;
    const QString town =
        QStringLiteral("Nagyon-Hosszú-Nevű-Település-Amely-Sehogy-Sem-Fér-El-A-Helyén-Semmilyen-Méretben");
    f.rows.setSchool(QStringLiteral("1"), town);
    auto c = compose(f.data(), optionsFor(Doc::Certificate));
    const PrintPage &front = c->pc.page(1);
    QVERIFY(!front.allText().contains(town));
    for (const auto &[text, x] : {std::pair{QStringLiteral("Kelt:"), 8},
                                  {QStringLiteral(","), 55},
                                  {QStringLiteral("2025."), 57},
                                  {QStringLiteral("június"), 77},
                                  {QStringLiteral("13."), 102},
                                  {QStringLiteral("napján"), 112}}) {
        const PrintItem *item = itemAt(front, text, x, 158);
        QVERIFY2(item, qPrintable(text));
        QCOMPARE(item->fontSize, 11.25);
    }
}

void tst_documentlayout::noNamesWithBothBoxesUnticked() {
    Fixture f;
    f.addLines(4);
    const PrintData data = f.data();
    for (const Doc kind : {Doc::Certificate, Doc::CertificateA4, Doc::RegisterSheet}) {
        auto c = compose(data, optionsFor(kind));
        QString all;
        for (int p = 1; p <= c->pages; ++p)
            all += c->pc.page(p).allText();
        for (const QString &name :
             {QStringLiteral("Magyar nyelv"), QStringLiteral("Matematika"), QStringLiteral("Olvasás"),
              QStringLiteral("Hangos olvasás"), QStringLiteral("Számolás"), QStringLiteral("Fejszámolás")})
            QVERIFY2(!all.contains(name), qPrintable(name));
        QVERIFY(all.contains(oneLine(4)));
    }
    PrintOptions o = optionsFor(Doc::Certificate);
    o.subjectNames = true;
    o.competencyNames = true;
    auto named = compose(data, o);
    const QString text = named->pc.page(2).allText();
    QVERIFY(text.contains(QStringLiteral("Magyar nyelv: ")));
    QVERIFY(text.contains(QStringLiteral("Olvasás: Hangos olvasás: ") + oneLine(1)));
}

void tst_documentlayout::certificateA4_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("bold");
    QTest::newRow("title") << QStringLiteral("BIZONYÍTVÁNY PÓTLAP") << 30 << 20 << true;
    QTest::newRow("name") << QStringLiteral("Kovács Ödön") << 35 << 36 << false;
    QTest::newRow("a") << QStringLiteral("a") << 26 << 52 << false;
    QTest::newRow("OM") << QStringLiteral("OM azonosító:") << 26 << 63 << false;
    QTest::newRow("OM code") << QStringLiteral("027384") << 55 << 63 << false;
    QTest::newRow("osztályban") << QStringLiteral("osztályban") << 120 << 63 << false;
    QTest::newRow("class") << QStringLiteral("3/b") << 85 << 63 << false;
    QTest::newRow("year a") << QStringLiteral("a") << 45 << 82 << false;
    QTest::newRow("first year") << QStringLiteral("2024") << 50 << 82 << false;
    QTest::newRow("slash") << QStringLiteral("/") << 65 << 82 << false;
    QTest::newRow("second year") << QStringLiteral("2025") << 70 << 82 << false;
    QTest::newRow("tanévben") << QStringLiteral("tanévben elért eredményeiről") << 81 << 82 << false;
}

void tst_documentlayout::certificateA4() {
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, bold);
    Fixture f;
    f.addLines(60);
    auto c = compose(f.data(), optionsFor(Doc::CertificateA4));
    QCOMPARE(c->pc.document().paper.orientation, 0);
    QCOMPARE(c->pc.document().paper.code, 9);
    const PrintItem *item = itemAt(c->pc.page(1), text, x, y);
    QVERIFY2(item, qPrintable(text));
    QCOMPARE(item->bold, bold);
    QCOMPARE(item->fontSize, text == QStringLiteral("Kovács Ödön") ? 15.25 : 11.25);
    // First text page under the header, further pages over the whole text area.
    QCOMPARE(c->textPages.size(), 2);
    QVERIFY(boxAt(c->pc.page(1), 25, 125, 160, 147));
    QVERIFY(boxAt(c->pc.page(2), 25, 25, 160, 247));
    QVERIFY(c->pc.page(2).texts().isEmpty());
}

void tst_documentlayout::registerSheetFrameAndLabels() {
    Fixture f;
    f.addLines(2);
    PrintOptions o = optionsFor(Doc::RegisterSheet);
    auto c = compose(f.data(), o);
    QCOMPARE(c->pc.marginLeft(), 0);
    QCOMPARE(c->pc.marginTop(), 0);
    const PrintPage &p = c->pc.page(1);
    constexpr int L = 25, T = 25;
    const QList<QList<int>> lines = {
        {L, T, L + 170, T},           {L, T + 13, L + 170, T + 13},  {L, T + 29, L + 170, T + 29},
        {L, T + 47, L + 103, T + 47}, {L, T + 64, L + 170, T + 64},  {L, T, L, T + 64},
        {L + 21, T, L + 21, T + 64},  {L + 103, T, L + 103, T + 64}, {L + 170, T, L + 170, T + 64},
        {L + 56, T, L + 56, T + 13},  {L + 84, T, L + 84, T + 13}};
    QCOMPARE(p.lines().size(), lines.size());
    for (const QList<int> &l : lines)
        QVERIFY2(hasLine(p, l[0], l[1], l[2], l[3]), qPrintable(QString::number(l[1])));
    const QList<std::tuple<QString, int, int>> labels = {
        {QStringLiteral("A tanuló"), L + 5, T + 5},
        {QStringLiteral("Törzslapszám:"), L + 23, T + 2},
        {QStringLiteral("évfolyam"), L + 87, T + 7},
        {QStringLiteral("Apja (gondviselő) neve:"), L + 106, T + 2},
        {QStringLiteral("Anyja születési neve"), L + 106, T + 14},
        {QStringLiteral("község/város"), L + 83, T + 33},
        {QStringLiteral("ország"), L + 92, T + 40},
        {QStringLiteral("Feljegyzések személyi adatok változásához:"), L + 106, T + 32}};
    for (const auto &[text, x, y] : labels) {
        const PrintItem *item = itemAt(p, text, x, y);
        QVERIFY2(item, qPrintable(text));
        QCOMPARE(item->fontSize, 9.0);
        QVERIFY(!item->bold);
    }
    const QList<std::tuple<QString, int, int>> lower = {
        {QStringLiteral("Mulasztott órák száma:_______ ebből igazolatlan:_______"), L + 3, T + 80},
        {QStringLiteral("A nevelőtestület határozata: "), L + 3, T + 95},
        {QStringLiteral("Záradékok: "), L + 3, T + 120}};
    for (const auto &[text, x, y] : lower) {
        const PrintItem *item = itemAt(p, text, x, y);
        QVERIFY2(item, qPrintable(text));
        QCOMPARE(item->fontSize, 11.25);
        QVERIFY(!item->bold);
    }
    // The hours land on the blanks of their line: each value starts inside a run of "_".
    const PrintItem *hours = itemAt(p, std::get<0>(lower.first()), L + 3, T + 80);
    const QString line = hours->text;
    for (const double valueX : {70.0, 118.0}) {
        int i = 0;
        while (i < line.size() && twipsToMm(hours->left + c->pc.textWidth(line.left(i + 1))) <= valueX)
            ++i;
        QVERIFY2(line.at(i) == QLatin1Char('_') &&
                     (i == 0 || line.at(i - 1) == QLatin1Char('_') || line.at(i + 1) == QLatin1Char('_')),
                 qPrintable(QString::number(valueX)));
    }
    const QList<std::tuple<QString, int, int, int, int>> boxes = {
        {QStringLiteral("Családi és utóneve"), L + 4, T + 18, 18, 10},
        {QStringLiteral("Születési helye"), L + 4, T + 34, 15, 10},
        {QStringLiteral("Születési ideje"), L + 4, T + 53, 15, 10}};
    for (const auto &[text, x, y, w, h] : boxes) {
        const PrintItem *b = boxAt(p, x, y, w, h);
        QVERIFY2(b && b->text == text, qPrintable(text));
        QCOMPARE(b->fontSize, 9.0);
    }
    bool serialLabel = false;
    for (const PrintItem *b : p.boxes())
        if (b->text == QStringLiteral("Osztálynapló sorszáma:") && qAbs(b->leftMm() - (L + 57)) < 0.01 &&
            qAbs(b->topMm() - (T + 1)) < 0.01 && qAbs(b->widthMm() - 25) < 0.01)
            serialLabel = true;
    QVERIFY(serialLabel);
    // The decision and the first text page.
    const PrintItem *decision = boxAt(p, 28, 125, 157, 13);
    QVERIFY(decision);
    QCOMPARE(decision->text, QStringLiteral("Magasabb évfolyamba léphet."));
    QVERIFY(decision->bold);
    const PrintItem *text = boxAt(p, 25, 150, 160, 97);
    QVERIFY(text);
    QCOMPARE(text->align, 9);
    QCOMPARE(text->fontSize, 11.25);
    QVERIFY(!text->bold);
}

void tst_documentlayout::registerSheetValues_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("register number") << QStringLiteral("T-123/2025") << 55 << 32;
    QTest::newRow("serial") << QStringLiteral("17") << 82 << 33;
    QTest::newRow("grade") << QStringLiteral("3") << 118 << 27;
    QTest::newRow("guardian") << QStringLiteral("Kovács Béla") << 130 << 33;
    QTest::newRow("name") << QStringLiteral("Kovács Ödön") << 50 << 42;
    QTest::newRow("mother") << QStringLiteral("Anyja Neve") << 130 << 44;
    QTest::newRow("birth place") << QStringLiteral("Pécs") << 50 << 57;
    QTest::newRow("country") << QStringLiteral("Magyarország") << 50 << 65;
    QTest::newRow("birth date") << QStringLiteral("2015.03.14.") << 50 << 75;
    QTest::newRow("missed") << QStringLiteral("12") << 70 << 105;
    QTest::newRow("unexcused") << QStringLiteral("2") << 118 << 105;
}

void tst_documentlayout::registerSheetValues() {
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    Fixture f;
    f.t.db().connection().query(QStringLiteral("UPDATE TANULO SET tan_gondv_nev = 'Kovács Béla'"));
    f.addLines(2);
    auto c = compose(f.data(), optionsFor(Doc::RegisterSheet));
    const PrintItem *item = itemAt(c->pc.page(1), text, x, y);
    QVERIFY2(item, qPrintable(text));
    QVERIFY(item->bold);
    QCOMPARE(item->fontSize, text == QStringLiteral("17") ? 9.25 : 11.25);
}

void tst_documentlayout::registerSheetBackPageHeadings() {
    Fixture f(QStringLiteral("T"));
    f.addLines(170);
    f.rows.addClause(f.r.ertId, QStringLiteral("Utolsó záradék."));
    PrintOptions o = optionsFor(Doc::RegisterSheet);
    auto c = compose(f.data(), o);
    QCOMPARE(c->pages, int(c->textPages.size()));
    QVERIFY(c->pages >= 4);
    QVERIFY(c->textPages.at(0).startsWith(oneLine(1)));
    QVERIFY(c->textPages.last().endsWith(QStringLiteral("\r\nUtolsó záradék.")));
    QVERIFY(c->pc.page(1).findText(QStringLiteral("Záradékok: ")));
    for (int p = 2; p <= c->pages; ++p) {
        const PrintPage &page = c->pc.page(p);
        QCOMPARE(bool(itemAt(page, DocumentLayout::heading(), 15, 15)), p % 2 == 0);
        QVERIFY(boxAt(page, 25, 25, 160, 247));
        QVERIFY(page.lines().isEmpty());
    }
    QVERIFY(!c->pc.page(1).findText(DocumentLayout::heading()));
    // An official duplicate marks every page; on a back page the mark keeps clear of the heading.
    o.official = true;
    auto dup = compose(f.data(), o);
    QVERIFY(itemAt(dup->pc.page(1), DocumentLayout::duplicateMark(), 120, 15));
    QVERIFY(itemAt(dup->pc.page(3), DocumentLayout::duplicateMark(), 120, 15));
    const PrintItem *heading = itemAt(dup->pc.page(2), DocumentLayout::heading(), 15, 15);
    const PrintItem *mark = dup->pc.page(2).findText(DocumentLayout::duplicateMark());
    QVERIFY(heading && mark);
    QCOMPARE(mark->leftMm(), 120.0);
    const bool apart =
        mark->top >= heading->top + heading->height || mark->left >= heading->left + heading->width;
    QVERIFY(apart);
    QVERIFY(mark->top + mark->height <= toTwips(25));
}

void tst_documentlayout::pdfEndToEnd() {
    const QString bin = qEnvironmentVariable("LORVANTO_BIN");
    if (bin.isEmpty())
        QSKIP("LORVANTO_BIN not set (run through ctest)");
    Fixture f;
    f.addLines(80);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("bizonyitvany.pdf"));
    auto run = [&](const QStringList &args) {
        QProcess p;
        p.start(bin, QStringList({QStringLiteral("--database"), f.t.path()}) + args);
        p.waitForFinished(60000);
        return std::pair{p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
    };
    auto [code, err] = run({QStringLiteral("--print-pdf"), QString::number(f.r.ertId), pdf});
    QVERIFY2(code == 0, qPrintable(err));
    const PdfText text = PdfText::read(pdf);
    QVERIFY(text.ok);
    QCOMPARE(text.pageSizesMm.size(), 2);
    QVERIFY(qAbs(text.pageSizesMm.first().width() - 297) < 0.2);
    const PdfWord *title = text.find(QStringLiteral("BIZONYÍTVÁNY"), 1);
    QVERIFY(title);
    QVERIFY2(qAbs(title->xMin - 165) < 0.3, qPrintable(QString::number(title->xMin)));
    QVERIFY2(qAbs(title->yMin - 46) < 0.6, qPrintable(QString::number(title->yMin)));
    const PdfWord *director = text.find(QStringLiteral("Igazgató"), 1);
    QVERIFY(director);
    QVERIFY2(qAbs(director->xMin - 24) < 0.3, qPrintable(QString::number(director->xMin)));
    QVERIFY2(qAbs(director->yMin - 180) < 0.5, qPrintable(QString::number(director->yMin)));
    QVERIFY(text.find(QStringLiteral("Ödön"), 1));
    QVERIFY(text.find(QStringLiteral("minősítése:"), 2));

    const QString reg = dir.filePath(QStringLiteral("torzslap.pdf"));
    std::tie(code, err) =
        run({QStringLiteral("--print-pdf"), QString::number(f.r.ertId), reg, QStringLiteral("register")});
    QVERIFY2(code == 0, qPrintable(err));
    const PdfText regText = PdfText::read(reg);
    QVERIFY(qAbs(regText.pageSizesMm.first().width() - 210) < 0.2);
    const PdfWord *clauses = regText.find(QStringLiteral("Záradékok:"), 1);
    QVERIFY(clauses);
    QVERIFY2(qAbs(clauses->xMin - 28) < 0.3, qPrintable(QString::number(clauses->xMin)));
    QVERIFY2(qAbs(clauses->yMin - 145) < 0.5, qPrintable(QString::number(clauses->yMin)));

    std::tie(code, err) = run({QStringLiteral("--print-pdf"), QStringLiteral("9999"), pdf});
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("Nincs ilyen értékelés")), qPrintable(err));
    std::tie(code, err) =
        run({QStringLiteral("--print-pdf"), QString::number(f.r.ertId), pdf, QStringLiteral("x")});
    QCOMPARE(code, 2);
    if (qEnvironmentVariableIsSet("LORVANTO_KEEP_PDF")) {
        QFile::copy(pdf, QStringLiteral("/tmp/lorvanto-certificate.pdf"));
        QFile::copy(reg, QStringLiteral("/tmp/lorvanto-register.pdf"));
    }
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_documentlayout)
#include "tst_documentlayout.moc"
