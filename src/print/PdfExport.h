#pragma once

#include "print/PageRenderer.h"
#include "print/PrintOptions.h"

#include <QList>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <functional>
#include <memory>

class CommandSet;
class QPdfWriter;
struct PrintDocument;

// Documents of ratings written straight to PDF, without the print window: the developer's --print-pdf and
// the trial documents of a whole class.
namespace PdfExport {

// One PDF file written document after document as they are composed, so a class never waits in memory
// whole. The file appears only when committed: a failure or a cancel leaves no half-written file behind.
class Book {
public:
    // Throws PrintError when the file cannot be created, DbError when path is the database or its journal.
    explicit Book(const QString &path);
    ~Book();
    Book(const Book &) = delete;
    Book &operator=(const Book &) = delete;

    void add(const PrintDocument &doc);
    int pageCount() const { return m_pages; }
    // Throws PrintError when the file cannot be written.
    void commit();

private:
    QString m_path;
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<PageRenderer::PagePainter> m_pagePainter; // one for the whole file: words shaped once
    int m_pages = 0;
};

// The pupil of a rating; 0 when there is no such rating.
qint64 pupilOfRating(CommandSet &devPrint, qint64 ertId);

// Composes the trial document of a rating (no duplicate mark, every personal item printed) and gives it.
PrintDocument composeTrial(CommandSet &devPrint, qint64 ertId, PrintOptions::Document kind);

// Writes several documents one after the other into one PDF file. Throws PrintError when it cannot.
void writeDocuments(const QString &path, const QList<PrintDocument> &documents);

struct ClassResult {
    int written = 0;        // pupils whose document is in the file
    int skipped = 0;        // pupils with no rating text yet
    int pages = 0;          // pages in the file
    bool cancelled = false; // the user stopped it: no file was written
};
// Told how many pupils are done out of how many; gives false to stop.
using Progress = std::function<bool(int done, int total)>;

// Writes the trial document of every pupil of a class (in its period) into one PDF, in class-list order.
// Records nothing. Pupils whose rating has no text yet get no document. When no pupil has one, or the user
// stopped it, no file is written.
ClassResult writeClass(qint64 oszId, PrintOptions::Document kind, const QString &path,
                       const Progress &progress = {});

// Parses "certificate", "a4" or "register"; false for anything else.
bool parseKind(const QString &text, PrintOptions::Document &kind);

} // namespace PdfExport
