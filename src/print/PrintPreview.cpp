#include "print/PrintPreview.h"

#include "print/PageRenderer.h"
#include "print/PrintControl.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <cmath>

namespace {

constexpr int kGap = 12; // pixels of desk around and between pages

class Desk : public QWidget {
public:
    explicit Desk(QList<QImage> *images) : m_images(images) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        int y = kGap;
        for (const QImage &image : std::as_const(*m_images)) {
            const int x = qMax(kGap, (width() - image.width()) / 2);
            p.fillRect(QRect(x + 3, y + 3, image.width(), image.height()), QColor(64, 64, 64));
            p.drawImage(x, y, image);
            y += image.height() + kGap;
        }
    }

private:
    QList<QImage> *m_images;
};

} // namespace

PrintPreview::PrintPreview(PrintControl *control, QWidget *parent)
    : QScrollArea(parent), m_control(control), m_desk(new Desk(&m_images)) {
    setObjectName(QStringLiteral("vsPrint"));
    setAccessibleName(QStringLiteral("Nyomtatási kép"));
    setWidget(m_desk);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    connect(control, &PrintControl::documentChanged, this, &PrintPreview::rebuild);
    rebuild();
}

QImage PrintPreview::pageImage(int number) {
    const PrintDocument &doc = m_control->document();
    const QSizeF mm = doc.paper.outputMm();
    const QSize px(int(std::lround(mm.width() / 25.4 * m_dpi)), int(std::lround(mm.height() / 25.4 * m_dpi)));
    QImage image(px, QImage::Format_RGB32);
    // Fonts follow the image's own resolution, so their point sizes come out at the page's scale.
    const int dotsPerMeter = int(std::lround(m_dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    PageRenderer::paint(painter, doc.pages.at(number - 1), m_dpi);
    return image;
}

void PrintPreview::resizeEvent(QResizeEvent *event) {
    QScrollArea::resizeEvent(event);
    if (event->oldSize().width() != event->size().width() || m_control->zoomMode() == 3)
        rebuild();
}

void PrintPreview::rebuild() {
    const PrintDocument &doc = m_control->document();
    const QSizeF mm = doc.paper.outputMm();
    const QSize view = viewport()->size() - QSize(2 * kGap, 2 * kGap);
    const double byWidth = view.width() / (mm.width() / 25.4);
    const double byHeight = view.height() / (mm.height() / 25.4);
    m_dpi = qBound(10.0, m_control->zoomMode() == 3 ? qMin(byWidth, byHeight) : byWidth, 300.0);
    m_images.clear();
    for (int p = 1; p <= doc.pages.size(); ++p)
        m_images.append(pageImage(p));
    int height = kGap;
    int width = 0;
    for (const QImage &image : std::as_const(m_images)) {
        height += image.height() + kGap;
        width = qMax(width, image.width() + 2 * kGap);
    }
    m_desk->resize(qMax(width, viewport()->width()), qMax(height, viewport()->height()));
    m_desk->update();
}
