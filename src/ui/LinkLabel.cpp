#include "ui/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextColor(m_normal);
}

void LinkLabel::setColors(const QColor &normal, const QColor &hover) {
    m_normal = normal;
    m_hover = hover;
    setTextColor(normal);
}

void LinkLabel::setTextColor(const QColor &color) {
    m_current = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent *event) {
    // The window puts the normal colour back when the mouse moves over the rest of it.
    setTextColor(m_hover);
    QLabel::enterEvent(event);
}

void LinkLabel::focusInEvent(QFocusEvent *event) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QLabel::focusInEvent(event);
}

void LinkLabel::focusOutEvent(QFocusEvent *event) {
    QFont f = font();
    f.setUnderline(false);
    setFont(f);
    QLabel::focusOutEvent(event);
}
