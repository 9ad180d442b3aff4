#include "shell/ProgramLook.h"

#include <QApplication>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleOption>

namespace {

// The platform's own style, except that a push button is at least as wide as its text with an "M" of room
// on each side: some styles draw a long caption almost touching the button's edge.
class RoomyButtons : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        if (type == CT_PushButton && option) {
            const int room = option->fontMetrics.horizontalAdvance(QLatin1Char('M'));
            const int frame = pixelMetric(PM_DefaultFrameWidth, option, widget);
            size.setWidth(qMax(size.width(), contents.width() + 2 * (room + frame)));
        }
        return size;
    }
};

} // namespace

void ProgramLook::install() {
    // A raster copy of the desktop icon: an SVG needs Qt's SVG module, which the program does not use.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/hu.lorvanto.Lorvanto.png")));
    QApplication::setStyle(new RoomyButtons(QApplication::style()->name()));
}
