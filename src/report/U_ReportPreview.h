#pragma once

#include <QAbstractScrollArea>
#include <QDialog>
#include <QImage>

#include <list>
#include <utility>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace vell3 {
class Prompts;
}

namespace vell3::report {

class ReportRenderer;

// The pages of a report one under the other, drawn only as they come into
// view (a few recent ones kept as pictures), so that a report of thousands of
// pages opens at once.
class PreviewPages : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PreviewPages(ReportRenderer& renderer, QWidget* parent = nullptr);

    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    // The page (from 0) at the top of the view, and a move to one.
    int CurrentPage() const;
    void GoToPage(int page);
    // How many pages were drawn so far (each drawing of a page counts).
    int PagesDrawn() const { return pagesDrawn_; }
    // The zoom at which a page fills the view's width, or the whole page fits.
    double PageWidthZoom() const;
    double WholePageZoom() const;

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSize PageSize() const; // pixels at the current zoom
    int PageStride() const;
    void UpdateScrollBars();
    const QImage& PageImage(int page);

    ReportRenderer& renderer_;
    double zoom_ = 1.0;
    std::list<std::pair<int, QImage>> cache_; // most recent first
    int pagesDrawn_ = 0;
    int lastReportedPage_ = -1;
};

// "Report Preview": a modal, maximised window over a laid-out report at 100 %
// zoom with page navigation, zoom and a Print button that goes through
// "Output Options".
class TF_ReportPreview : public QDialog {
    Q_OBJECT
public:
    TF_ReportPreview(ReportRenderer& renderer, Prompts& prompts, QPrinter& printer,
                     QWidget* parent = nullptr);

    PreviewPages* Pages() const { return pages_; }

private:
    void ShowPage(int page);
    void ZoomChosen(int index);
    void StepZoom(int direction);
    void btnPrintClick();

    ReportRenderer& renderer_;
    Prompts& prompts_;
    QPrinter& printer_;
    PreviewPages* pages_ = nullptr;
    QSpinBox* editPage_ = nullptr;
    QLabel* lblPageCount_ = nullptr;
    QComboBox* cbZoom_ = nullptr;
};

} // namespace vell3::report
