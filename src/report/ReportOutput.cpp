#include "ReportOutput.h"

#include "ReportRenderer.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace vell3::report {

namespace {
// Fine enough that text placed in points never snaps to a visible grid.
constexpr int kPdfResolution = 1200;
} // namespace

bool RenderPages(ReportRenderer& renderer, QPagedPaintDevice& device, int fromPage, int toPage,
                 const std::function<bool(int page)>& progress,
                 const std::function<void()>& abortJob) {
    const int count = renderer.PageCount();
    const int first = fromPage > 0 ? std::min(fromPage, count) : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    for (int page = first; page <= last; ++page) {
        if (progress && !progress(page)) {
            if (abortJob) {
                abortJob();
            }
            painter.end();
            return false;
        }
        if (page != first) {
            device.newPage();
        }
        painter.save();
        renderer.DrawPage(page - 1, painter);
        painter.restore();
    }
    return painter.end();
}

bool WriteReportPdf(ReportRenderer& renderer, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Vell3 Certified Mail"));
    writer.setTitle(renderer.Definition().name);
    writer.setPageLayout(renderer.PageLayout());
    const bool drawn = RenderPages(renderer, writer);
    file.close();
    return drawn && file.error() == QFileDevice::NoError;
}

} // namespace vell3::report
