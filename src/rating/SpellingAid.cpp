#include "rating/SpellingAid.h"

#include "rating/SpellChecker.h"
#include "ui/DialogService.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCharFormat>

namespace {

QTextCharFormat misspeltFormat() {
    QTextCharFormat f;
    f.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    f.setUnderlineColor(Qt::red);
    return f;
}

} // namespace

SpellHighlighter::SpellHighlighter(QTextDocument *document, SpellChecker &checker)
    : QSyntaxHighlighter(document), m_checker(checker) {}

void SpellHighlighter::highlightBlock(const QString &text) {
    static const QTextCharFormat format = misspeltFormat();
    for (const SpellChecker::Word &w : m_checker.misspelt(text))
        setFormat(int(w.start), int(w.length), format);
}

SpellingAid::SpellingAid(SpellChecker &checker, QObject *parent) : QObject(parent), m_checker(checker) {}

void SpellingAid::attach(QPlainTextEdit *edit) {
    m_texts.append({edit, new SpellHighlighter(edit->document(), m_checker)});
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](const QPoint &pos) {
        // The position is the viewport's, as the text cursor wants it.
        QMenu *menu = contextMenu(edit, edit->cursorForPosition(pos).position());
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(edit->viewport()->mapToGlobal(pos));
    });
}

void SpellingAid::attach(QLineEdit *edit) {
    m_lines << edit;
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { markLine(edit); });
    // The marks are kept relative to the caret: they move with it.
    connect(edit, &QLineEdit::cursorPositionChanged, this, [this, edit] { markLine(edit); });
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](const QPoint &pos) {
        QMenu *menu = contextMenu(edit, edit->cursorPositionAt(pos));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(edit->mapToGlobal(pos));
    });
    markLine(edit);
}

void SpellingAid::markLine(QLineEdit *edit) {
    // A line edit has no document to highlight; it shows formats sent as an input method's pre-edit
    // attributes, placed relative to the caret.
    static const QTextCharFormat format = misspeltFormat();
    QList<QInputMethodEvent::Attribute> attributes;
    const int caret = edit->cursorPosition();
    for (const SpellChecker::Word &w : m_checker.misspelt(edit->text()))
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, int(w.start) - caret,
                                                   int(w.length), format);
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(edit, &event);
}

void SpellingAid::recheck() {
    for (const auto &[edit, highlighter] : std::as_const(m_texts)) {
        if (!edit || !highlighter)
            continue;
        // New marks are no change of the text: the field does not announce one (it would count as an edit).
        const QSignalBlocker quiet(edit);
        highlighter->rehighlight();
    }
    for (const auto &line : std::as_const(m_lines))
        if (line)
            markLine(line);
}

QString SpellingAid::wordAt(QWidget *field, int position, int *start) const {
    QString text;
    if (auto *edit = qobject_cast<QPlainTextEdit *>(field))
        text = edit->toPlainText();
    else if (auto *line = qobject_cast<QLineEdit *>(field))
        text = line->text();
    for (const SpellChecker::Word &w : SpellChecker::words(text))
        if (position >= w.start && position <= w.start + w.length) {
            *start = int(w.start);
            return text.mid(w.start, w.length);
        }
    return QString();
}

void SpellingAid::replaceWord(QWidget *field, int start, int length, const QString &replacement) {
    if (auto *edit = qobject_cast<QPlainTextEdit *>(field)) {
        QTextCursor c = edit->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        c.insertText(replacement);
        edit->setTextCursor(c);
    } else if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->setSelection(start, length);
        line->insert(replacement);
    }
}

QMenu *SpellingAid::standardMenu(QWidget *field) const {
    if (auto *edit = qobject_cast<QPlainTextEdit *>(field))
        return edit->createStandardContextMenu();
    if (auto *line = qobject_cast<QLineEdit *>(field))
        return line->createStandardContextMenu();
    return new QMenu;
}

QMenu *SpellingAid::contextMenu(QWidget *field, int position) {
    QMenu *menu = standardMenu(field);
    int start = 0;
    const QString word = wordAt(field, position, &start);
    const bool readOnly = qobject_cast<QPlainTextEdit *>(field)
                              ? qobject_cast<QPlainTextEdit *>(field)->isReadOnly()
                              : qobject_cast<QLineEdit *>(field)->isReadOnly();
    if (word.isEmpty() || readOnly || !field->isEnabled() || m_checker.isCorrect(word))
        return menu;
    QAction *first = menu->actions().value(0);
    QList<QAction *> own;
    const QStringList suggestions = m_checker.suggestions(word, 5);
    QPointer<QWidget> target(field);
    for (const QString &s : suggestions) {
        auto *a = new QAction(s, menu);
        QFont bold = a->font();
        bold.setBold(true);
        a->setFont(bold);
        connect(a, &QAction::triggered, this, [this, target, start, word, s] {
            if (target)
                replaceWord(target, start, int(word.size()), s);
        });
        own << a;
    }
    if (suggestions.isEmpty()) {
        auto *none = new QAction(QStringLiteral("(nincs javaslat)"), menu);
        none->setEnabled(false);
        own << none;
    }
    auto *add = new QAction(QStringLiteral("Hozzáadás a szótárhoz"), menu);
    add->setObjectName(QStringLiteral("actAddWord"));
    connect(add, &QAction::triggered, this, [this, target, word] {
        if (!m_checker.addToPersonal(word))
            dialogs().warn(target,
                           QStringLiteral("A szó csak most, a program futása alatt számít helyesnek: a "
                                          "saját szótár nem írható (%1).")
                               .arg(SpellChecker::personalListPath()));
        recheck();
    });
    auto *skip = new QAction(QStringLiteral("Kihagyás"), menu);
    skip->setObjectName(QStringLiteral("actIgnoreWord"));
    connect(skip, &QAction::triggered, this, [this, word] {
        m_checker.ignore(word);
        recheck();
    });
    own << add << skip;
    menu->insertActions(first, own);
    if (first)
        menu->insertSeparator(first);
    return menu;
}
