#include "RegistrationForm.h"

#include <emf2svg.h>

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>

#include <cstdlib>
#include <memory>

namespace vell3 {

namespace {

// The hourglass for the length of one command, whatever way it ends.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};

// Record layout of ECMA-234 / MS-EMF: every record starts with its type and
// its size in bytes, both 32-bit little-endian.
constexpr quint32 kEmrHeader = 1;
constexpr quint32 kEmrEof = 14;
constexpr qsizetype kHeaderMinimumSize = 88;
constexpr qsizetype kSignatureOffset = 40;
constexpr qsizetype kFileSizeOffset = 48;
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"

quint32 ReadU32(const QByteArray& bytes, qsizetype offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + offset);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

} // namespace

bool IsWellFormedEmf(const QByteArray& emf) {
    const qsizetype size = emf.size();
    if (size < kHeaderMinimumSize || ReadU32(emf, 0) != kEmrHeader ||
        ReadU32(emf, kSignatureOffset) != kEmfSignature ||
        qsizetype(ReadU32(emf, kFileSizeOffset)) != size) {
        return false;
    }
    qsizetype offset = 0;
    quint32 type = 0;
    while (offset < size) {
        if (size - offset < 8) {
            return false;
        }
        type = ReadU32(emf, offset);
        const quint32 recordSize = ReadU32(emf, offset + 4);
        if (recordSize < 8 || recordSize % 4 != 0 || recordSize > quint64(size - offset)) {
            return false;
        }
        offset += recordSize;
    }
    return type == kEmrEof;
}

QByteArray EmfToSvg(const QByteArray& emf) {
    if (!IsWellFormedEmf(emf)) {
        return {};
    }
    QByteArray input = emf; // the converter takes a writable buffer
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = 0;
    options.imgHeight = 0;
    char* out = nullptr;
    size_t outLength = 0;
    const int ok =
        emf2svg(input.data(), static_cast<size_t>(input.size()), &out, &outLength, &options);
    const std::unique_ptr<char, FreeDeleter> owned(out);
    if (ok == 0 || out == nullptr || outLength == 0) {
        return {};
    }
    return QByteArray(out, static_cast<qsizetype>(outLength));
}

bool PrintRegistrationForm(QPrinter& printer, const QString& emfPath) {
    const WaitCursor wait;
    QFile file(emfPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray svg = EmfToSvg(file.readAll());
    if (svg.isEmpty()) {
        return false;
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // Device pixels: the printable area's offset on the paper and its size.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
    const int offX = page.left() - paper.left();
    const int offY = page.top() - paper.top();
    const int width = page.width();
    const int height = page.height();
    renderer.render(&painter, QRectF(QPointF(offX, offY), QPointF(width - offX, height - offY)));
    return painter.end();
}

} // namespace vell3
