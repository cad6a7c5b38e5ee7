#include "Branding.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace vell3 {

const ContactTexts& MakerContact() {
    static const ContactTexts texts{"1400 Ridgeview Parkway, Suite 210", "Ambervale, OR 97000",
                                    "www.ambervale.example", "support@ambervale.example",
                                    "(c) Ambervale Software. All rights reserved."};
    return texts;
}

const ContactTexts& ResellerContact() {
    static const ContactTexts texts{"27 Harbor Street", "Brisquel, ME 04000",
                                    "www.brisquel.example", MakerContact().eMail,
                                    "Distributed by Brisquel Office Systems."};
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
    QFont title(QStringLiteral("Liberation Sans"));
    title.setBold(true);
    title.setPixelSize(std::max(8, h * 2 / 5));
    painter.setFont(title);
    painter.drawText(QRect(envelope.right() + h / 4, 0, size.width(), h),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vell3 Certified Mail"));
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
    QFont name(QStringLiteral("Liberation Sans"));
    name.setBold(true);
    name.setPixelSize(std::max(8, h / 2));
    painter.setFont(name);
    painter.setPen(QColor(102, 61, 0));
    painter.drawText(QRect(h, 0, size.width() - h, h), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Ambervale Software"));
    return picture;
}

} // namespace vell3
