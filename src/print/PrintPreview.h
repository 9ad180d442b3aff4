#pragma once

#include <QImage>
#include <QList>
#include <QScrollArea>

class PrintControl;

// The preview of the control's document: the pages one under the other on a grey desk, each drawn at its
// physical proportions. Zoom mode 3 fits a whole page into the view, 1 fits the page width.
class PrintPreview : public QScrollArea {
    Q_OBJECT
public:
    explicit PrintPreview(PrintControl *control, QWidget *parent = nullptr);

    // The resolution a page is drawn at now (dots per inch of paper).
    double pageDpi() const { return m_dpi; }
    // A page as shown, for tests and thumbnails.
    QImage pageImage(int number);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void rebuild();

    PrintControl *m_control;
    QWidget *m_desk;
    QList<QImage> m_images;
    double m_dpi = 30;
};
