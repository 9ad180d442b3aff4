#include "print/PdfExport.h"

#include "data/AppData.h"
#include "data/CommandSet.h"
#include "data/WriteTarget.h"
#include "print/DocumentLayout.h"
#include "print/PageRenderer.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"

#include <QPdfWriter>
#include <algorithm>

namespace PdfExport {

qint64 pupilOfRating(CommandSet &devPrint, qint64 ertId) {
    // The printing commands ask for the pupil along with the rating; the rating row names him.
    const Recordset rs = devPrint.connection().query(
        QStringLiteral("SELECT ert_tan_id FROM ERTEKELES WHERE ert_id = ?"), {ertId});
    return rs.count() ? rs.at(0, QStringLiteral("ert_tan_id")).toLongLong() : 0;
}

PrintDocument composeTrial(CommandSet &devPrint, qint64 ertId, PrintOptions::Document kind) {
    const qint64 tanId = pupilOfRating(devPrint, ertId);
    if (!tanId)
        throw PrintError(QStringLiteral("Nincs ilyen értékelés: %1").arg(ertId));
    const PrintData data = PrintData::read(devPrint, ertId, tanId);
    PrintOptions options;
    options.document = kind;
    PrintControl pc;
    DocumentLayout(pc, data, options).compose();
    return pc.document();
}

namespace {
constexpr int kPdfDpi = 1200;
}

Book::Book(const QString &path) : m_path(path), m_file(path) {
    WriteTarget::check(path);
    if (!m_file.open(QIODevice::WriteOnly))
        throw PrintError(QStringLiteral("A PDF fájl nem írható: %1").arg(path));
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setResolution(kPdfDpi);
    m_writer->setCreator(QStringLiteral("Lorvanto"));
}

Book::~Book() {
    if (m_painter.isActive())
        m_painter.end();
    // Not committed: the target file is left as it was.
    m_file.cancelWriting();
}

void Book::add(const PrintDocument &doc) {
    for (const PrintPage &page : doc.pages) {
        PageRenderer::preparePagedDevice(*m_writer, doc.paper);
        if (m_pages == 0) {
            if (!m_painter.begin(m_writer.get()))
                throw PrintError(QStringLiteral("A PDF fájl nem írható: %1").arg(m_path));
            m_pagePainter = std::make_unique<PageRenderer::PagePainter>(m_painter, kPdfDpi);
        } else if (!m_writer->newPage()) {
            throw PrintError(QStringLiteral("A PDF fájl nem írható: %1").arg(m_path));
        }
        m_pagePainter->paint(page);
        ++m_pages;
    }
}

void Book::commit() {
    if (m_pages == 0)
        throw PrintError(QStringLiteral("Nincs kinyomtatható oldal."));
    if (!m_painter.end() || !m_file.commit())
        throw PrintError(QStringLiteral("A PDF fájl nem írható: %1").arg(m_path));
}

void writeDocuments(const QString &path, const QList<PrintDocument> &documents) {
    Book book(path);
    for (const PrintDocument &doc : documents)
        book.add(doc);
    book.commit();
}

ClassResult writeClass(qint64 oszId, PrintOptions::Document kind, const QString &path,
                       const Progress &progress) {
    AppData &app = AppData::current();
    const Recordset cls = app.devDB.run(QStringLiteral("getSpecClass"), {oszId});
    if (!cls.count())
        throw PrintError(QStringLiteral("Nincs ilyen osztály: %1").arg(oszId));
    const qint64 tevId = cls.at(0, QStringLiteral("osz_tev_id")).toLongLong();
    // The class list, in the order the pupil chooser shows it, without the pupils removed since.
    const Recordset list = app.devDB.run(QStringLiteral("getStudentsByClass"), {oszId});
    QList<qint64> pupils;
    for (int i = 0; i < list.count(); ++i)
        if (!list.at(i, QStringLiteral("tan_del")).toBool())
            pupils.append(list.at(i, QStringLiteral("tan_id")).toLongLong());
    const int total = int(pupils.size());
    ClassResult result;
    Book book(path);
    PrintOptions options;
    options.document = kind;
    PrintControl pc;
    PrintData::ClassShared shared;
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            result.cancelled = true;
            return result;
        }
        const qint64 tanId = pupils.at(i);
        const Recordset rating = app.devDB.run(QStringLiteral("checkRatings"), {tanId, oszId, tevId});
        const qint64 ertId = rating.count() ? rating.at(0, QStringLiteral("ert_id")).toLongLong() : 0;
        const PrintData data = ertId ? PrintData::read(app.devPrint, ertId, tanId, &shared) : PrintData();
        const bool hasText = std::any_of(data.parts.cbegin(), data.parts.cend(),
                                         [](const PrintData::Part &p) { return !p.text.isEmpty(); });
        if (!hasText) {
            ++result.skipped;
            continue;
        }
        DocumentLayout(pc, data, options).compose();
        book.add(pc.document());
        ++result.written;
    }
    if (progress && !progress(total, total)) {
        result.cancelled = true;
        return result;
    }
    if (result.written == 0)
        return result;
    book.commit();
    result.pages = book.pageCount();
    return result;
}

bool parseKind(const QString &text, PrintOptions::Document &kind) {
    if (text == QLatin1String("certificate"))
        kind = PrintOptions::Document::Certificate;
    else if (text == QLatin1String("a4"))
        kind = PrintOptions::Document::CertificateA4;
    else if (text == QLatin1String("register"))
        kind = PrintOptions::Document::RegisterSheet;
    else
        return false;
    return true;
}

} // namespace PdfExport
