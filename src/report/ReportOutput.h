#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace vell3::report {

class ReportRenderer;

// Draws pages fromPage..toPage (from 1; 0 for the first or the last page) of
// a report onto a paged device (a printer or a PDF writer) whose origin is the
// paper's top-left corner. progress is told each page before it is drawn and
// stops the output by returning false; abortJob then runs while the job is
// still open (a printer drops it). False when stopped or when the device would
// not paint.
bool RenderPages(ReportRenderer& renderer, QPagedPaintDevice& device, int fromPage = 0,
                 int toPage = 0, const std::function<bool(int page)>& progress = {},
                 const std::function<void()>& abortJob = {});

// The whole report into a PDF file, the fonts embedded. False when the file
// cannot be written.
bool WriteReportPdf(ReportRenderer& renderer, const QString& path);

} // namespace vell3::report
