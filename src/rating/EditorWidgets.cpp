#include "rating/EditorWidgets.h"

#include <QKeyEvent>
#include <QMimeData>

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_max(maxLength) {}

int LimitedTextEdit::room() const {
    const int selected = int(textCursor().selectedText().size());
    return m_max - int(toPlainText().size()) + selected;
}

void LimitedTextEdit::keyPressEvent(QKeyEvent *event) {
    const QString typed = event->text();
    const bool addsText = !typed.isEmpty() && (typed[0].isPrint() || event->key() == Qt::Key_Return ||
                                               event->key() == Qt::Key_Enter || event->key() == Qt::Key_Tab);
    if (addsText && !(event->modifiers() & Qt::ControlModifier) && room() < typed.size()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source) {
    if (!source->hasText())
        return;
    const int space = room();
    if (space <= 0)
        return;
    QMimeData cut;
    cut.setText(source->text().left(space));
    QPlainTextEdit::insertFromMimeData(&cut);
}

SentenceList::SentenceList(QWidget *parent) : QTreeWidget(parent) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QMimeData *SentenceList::mimeData(const QList<QTreeWidgetItem *> &items) const {
    if (items.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setText(items.first()->text(0));
    return data;
}

void SentenceList::startDrag(Qt::DropActions) {
    QTreeWidget::startDrag(Qt::CopyAction);
}
