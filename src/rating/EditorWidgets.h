#pragma once

#include <QPlainTextEdit>
#include <QTreeWidget>

// A multi-line text box that refuses typed, pasted or dropped text beyond its length limit; text set by
// the program is not limited.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedTextEdit(int maxLength, QWidget *parent = nullptr);
    int maxLength() const { return m_max; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    int room() const;
    int m_max;
};

// The sentence list: a drag carries the chosen sentence as plain text, to be copied, never moved.
class SentenceList : public QTreeWidget {
    Q_OBJECT
public:
    explicit SentenceList(QWidget *parent = nullptr);

protected:
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    void startDrag(Qt::DropActions supportedActions) override;
};
