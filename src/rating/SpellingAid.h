#pragma once

#include <QObject>
#include <QPointer>
#include <QSyntaxHighlighter>

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QWidget;
class SpellChecker;

// Marks misspelt words of a text document with a red wavy line.
class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    SpellHighlighter(QTextDocument *document, SpellChecker &checker);

protected:
    void highlightBlock(const QString &text) override;

private:
    SpellChecker &m_checker;
};

// Spelling in the text fields of the editor: misspelt words underlined as the teacher types, and a context
// menu with up to five suggestions, "Hozzáadás a szótárhoz" and "Kihagyás" above the field's own actions.
class SpellingAid : public QObject {
    Q_OBJECT
public:
    SpellingAid(SpellChecker &checker, QObject *parent = nullptr);

    void attach(QPlainTextEdit *edit);
    void attach(QLineEdit *edit);
    // Checks every attached field again (after the names or the word lists changed).
    void recheck();

    // The context menu of a field for the word at a text position (the caller owns it).
    QMenu *contextMenu(QWidget *field, int position);

private:
    void markLine(QLineEdit *edit);
    QString wordAt(QWidget *field, int position, int *start) const;
    void replaceWord(QWidget *field, int start, int length, const QString &replacement);
    QMenu *standardMenu(QWidget *field) const;

    SpellChecker &m_checker;
    struct Marked {
        QPointer<QPlainTextEdit> edit;
        QPointer<SpellHighlighter> highlighter;
    };
    QList<Marked> m_texts;
    QList<QPointer<QLineEdit>> m_lines;
};
