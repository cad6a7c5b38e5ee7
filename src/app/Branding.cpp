#include "Branding.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace vell3 {

namespace {

// The largest bold font up to `pixels` high in which `text` fits `width`.
QFont FittingFont(const QString& text, int pixels, int width) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    for (int size = std::max(8, pixels); size >= 6; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) {
            break;
        }
    }
    return font;
}

} // namespace

const ContactTexts& MakerContact() {
    static const ContactTexts texts{"1400 Ridgeview Parkway, Suite 210", "Ambervale, OR 97000",
                                    "www.ambervale.example", "support@ambervale.example",
                                    "(c) Ambervale Software"};
    return texts;
}

const ContactTexts& ResellerContact() {
    static const ContactTexts texts{"27 Harbor Street", "Brisquel, ME 04000",
                                    "www.brisquel.example", MakerContact().eMail,
                                    "Distributed by Brisquel"};
    return texts;
}

QPixmap ProductLogo(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, size.width(), 0);
    band.setColorAt(0, QColor(0, 51, 153));
    band.setColorAt(1, QColor(0, 102, 204));
    painter.fillRect(QRect(QPoint(0, 0), size), band);
    // A stylised envelope at the left, the product's name beside it.
    const int h = size.height();
    const QRect envelope(h / 5, h / 4, h * 4 / 5, h / 2);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(envelope);
    painter.drawLine(envelope.topLeft(), envelope.center());
    painter.drawLine(envelope.topRight(), envelope.center());
    const QString name = QStringLiteral("Vell3 Certified Mail");
    const int textLeft = envelope.right() + h / 4;
    painter.setFont(FittingFont(name, h * 2 / 5, size.width() - textLeft - h / 5));
    painter.drawText(QRect(textLeft, 0, size.width() - textLeft, h),
                     Qt::AlignLeft | Qt::AlignVCenter, name);
    return picture;
}

QPixmap MakerLogo(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const int h = size.height();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(204, 122, 0));
    painter.drawEllipse(QRect(h / 6, h / 6, h * 2 / 3, h * 2 / 3));
    const QString name = QStringLiteral("Ambervale Software");
    painter.setFont(FittingFont(name, h * 2 / 5, size.width() - h - h / 6));
    painter.setPen(QColor(102, 61, 0));
    painter.drawText(QRect(h, 0, size.width() - h, h), Qt::AlignLeft | Qt::AlignVCenter, name);
    return picture;
}

} // namespace vell3
