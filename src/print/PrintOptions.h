#pragma once

// What the print window has chosen for composing a document: the document kind, official or trial, and the
// check boxes. The layouts read nothing else from the window.
struct PrintOptions {
    enum class Document {
        Certificate,   // landscape certificate supplement sheet: front page and folded text pages
        CertificateA4, // the same on A4 portrait
        RegisterSheet, // register sheet (and its extract), A4 portrait
    };
    Document document = Document::Certificate;
    // The official option of the tab (official certificate or official register sheet).
    bool official = false;
    // A faulty sheet is being reprinted: its pages carry no duplicate mark.
    bool reprint = false;
    // Subject headings in the text ("Értékelési területek kiírása").
    bool subjectNames = false;
    // Competency and sub-competency names in the text ("Értékelési alterületek kiírása").
    bool competencyNames = false;
    // The form was filled in by hand ("Kézi papír"): only the evaluation text (and the duplicate mark).
    bool handFilled = false;
};
