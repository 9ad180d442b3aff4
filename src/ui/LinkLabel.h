#pragma once

#include <QColor>
#include <QLabel>

// A label that acts as a link: clicked with the mouse or, when it has the focus, with Space or Enter.
// Its text colour follows the mouse (hover colour over it, normal colour once the mouse leaves).
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);
    void setColors(const QColor &normal, const QColor &hover);
    void setTextColor(const QColor &color);
    QColor textColor() const { return m_current; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QColor m_normal{0, 0, 255};
    QColor m_hover{119, 119, 255};
    QColor m_current;
};
