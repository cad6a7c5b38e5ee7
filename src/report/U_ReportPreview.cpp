#include "U_ReportPreview.h"

#include "ReportPrinting.h"
#include "ReportRenderer.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vell3::report {

namespace {

constexpr int kPageGap = 16; // pixels between pages and around them
// Pages kept as pictures: a few for scrolling back and forth, fewer at high
// zoom, where one page alone takes tens of megabytes.
constexpr std::size_t kCachedPages = 6;
constexpr std::size_t kMinCachedPages = 2;
constexpr qsizetype kCacheBytes = 64 * 1024 * 1024;
constexpr double kPointsPerInch = 72.0;
constexpr double kInchesPerMeter = 1.0 / 0.0254;
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8.0;
// The zoom steps offered, in per cent; two fitting choices follow them.
constexpr int kZoomSteps[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int kZoomPageWidth = -1;
constexpr int kZoomWholePage = -2;

} // namespace

PreviewPages::PreviewPages(ReportRenderer& renderer, QWidget* parent)
    : QAbstractScrollArea(parent), renderer_(renderer) {
    setObjectName(QStringLiteral("previewPages"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    UpdateScrollBars();
}

QSize PreviewPages::PageSize() const {
    const QSizeF points = renderer_.Definition().PagePoints();
    const double pixelsPerPoint = logicalDpiX() / kPointsPerInch * zoom_;
    return QSize(static_cast<int>(std::lround(points.width() * pixelsPerPoint)),
                 static_cast<int>(std::lround(points.height() * pixelsPerPoint)));
}

int PreviewPages::PageStride() const {
    return PageSize().height() + kPageGap;
}

double PreviewPages::PageWidthZoom() const {
    const double width =
        renderer_.Definition().PagePoints().width() * logicalDpiX() / kPointsPerInch;
    return std::clamp((viewport()->width() - 2 * kPageGap) / width, kMinZoom, kMaxZoom);
}

double PreviewPages::WholePageZoom() const {
    const QSizeF points = renderer_.Definition().PagePoints();
    const double scale = logicalDpiX() / kPointsPerInch;
    return std::clamp(std::min((viewport()->width() - 2 * kPageGap) / (points.width() * scale),
                               (viewport()->height() - 2 * kPageGap) / (points.height() * scale)),
                      kMinZoom, kMaxZoom);
}

void PreviewPages::UpdateScrollBars() {
    const QSize page = PageSize();
    const qint64 total = static_cast<qint64>(renderer_.PageCount()) * PageStride() + kPageGap;
    const int height = static_cast<int>(std::min<qint64>(total, std::numeric_limits<int>::max()));
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 20));
    horizontalScrollBar()->setRange(0,
                                    std::max(0, page.width() + 2 * kPageGap - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, page.width() / 20));
}

void PreviewPages::SetZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) {
        return;
    }
    const int page = CurrentPage();
    zoom_ = zoom;
    cache_.clear();
    UpdateScrollBars();
    GoToPage(page);
    viewport()->update();
}

int PreviewPages::CurrentPage() const {
    // The page that holds the middle of the view's top half.
    const int y = verticalScrollBar()->value() + viewport()->height() / 4;
    return std::clamp(y / PageStride(), 0, std::max(0, renderer_.PageCount() - 1));
}

void PreviewPages::GoToPage(int page) {
    page = std::clamp(page, 0, std::max(0, renderer_.PageCount() - 1));
    verticalScrollBar()->setValue(page * PageStride());
    viewport()->update();
}

const QImage& PreviewPages::PageImage(int page) {
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->first == page) {
            cache_.splice(cache_.begin(), cache_, it);
            return cache_.front().second;
        }
    }
    QImage image(PageSize(), QImage::Format_RGB32);
    // Fonts are sized in points: the picture's resolution makes them the
    // size the zoom asks for.
    const double dpi = logicalDpiX() * zoom_;
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi * kInchesPerMeter)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi * kInchesPerMeter)));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderer_.DrawPage(page, painter);
    }
    ++pagesDrawn_;
    cache_.emplace_front(page, std::move(image));
    while (cache_.size() > kCachedPages ||
           (cache_.size() > kMinCachedPages &&
            static_cast<qsizetype>(cache_.size()) * cache_.front().second.sizeInBytes() >
                kCacheBytes)) {
        cache_.pop_back();
    }
    return cache_.front().second;
}

void PreviewPages::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QSize size = PageSize();
    const int stride = PageStride();
    const int top = verticalScrollBar()->value();
    const int x = std::max(kPageGap, (viewport()->width() - size.width()) / 2) -
                  horizontalScrollBar()->value();
    const QRect exposed = event->rect();
    const int first = std::max(0, (top + exposed.top() - kPageGap) / stride);
    for (int page = first; page < renderer_.PageCount(); ++page) {
        const int y = kPageGap + page * stride - top;
        if (y > exposed.bottom()) {
            break;
        }
        const QRect target(QPoint(x, y), size);
        if (!target.intersects(exposed)) {
            continue;
        }
        painter.fillRect(target.translated(3, 3), QColor(0, 0, 0, 80));
        painter.drawImage(target.topLeft(), PageImage(page));
    }
}

void PreviewPages::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void PreviewPages::scrollContentsBy(int, int) {
    viewport()->update();
    const int page = CurrentPage();
    if (page != lastReportedPage_) {
        lastReportedPage_ = page;
        emit currentPageChanged(page);
    }
}

TF_ReportPreview::TF_ReportPreview(ReportRenderer& renderer, Prompts& prompts, QPrinter& printer,
                                   QWidget* parent)
    : QDialog(parent), renderer_(renderer), prompts_(prompts), printer_(printer) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Report Preview"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setModal(true);

    const auto button = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* btnFirst =
        button("btnFirstPage", QStringLiteral("|<"), QStringLiteral("First page (Ctrl+Home)"));
    QPushButton* btnPrior =
        button("btnPriorPage", QStringLiteral("<"), QStringLiteral("Previous page"));
    QPushButton* btnNext = button("btnNextPage", QStringLiteral(">"), QStringLiteral("Next page"));
    QPushButton* btnLast =
        button("btnLastPage", QStringLiteral(">|"), QStringLiteral("Last page (Ctrl+End)"));
    QPushButton* btnZoomOut =
        button("btnZoomOut", QStringLiteral("-"), QStringLiteral("Zoom out (Ctrl+-)"));
    QPushButton* btnZoomIn =
        button("btnZoomIn", QStringLiteral("+"), QStringLiteral("Zoom in (Ctrl++)"));
    QPushButton* btnPrint =
        button("btnPrint", QStringLiteral("&Print..."), QStringLiteral("Print (Ctrl+P)"));
    QPushButton* btnClose =
        button("btnClose", QStringLiteral("&Close"), QStringLiteral("Close (Esc)"));

    editPage_ = new QSpinBox(this);
    editPage_->setObjectName(QStringLiteral("editPage"));
    editPage_->setRange(1, std::max(1, renderer_.PageCount()));
    editPage_->setKeyboardTracking(false);
    auto* lblPage = new QLabel(QStringLiteral("&Page"), this);
    lblPage->setBuddy(editPage_);
    lblPageCount_ = new QLabel(QStringLiteral("of %1").arg(renderer_.PageCount()), this);
    lblPageCount_->setObjectName(QStringLiteral("lblPageCount"));

    cbZoom_ = new QComboBox(this);
    cbZoom_->setObjectName(QStringLiteral("cbZoom"));
    for (int step : kZoomSteps) {
        cbZoom_->addItem(QStringLiteral("%1 %").arg(step), step);
    }
    cbZoom_->addItem(QStringLiteral("Page Width"), kZoomPageWidth);
    cbZoom_->addItem(QStringLiteral("Whole Page"), kZoomWholePage);
    cbZoom_->setCurrentIndex(cbZoom_->findData(100));
    auto* lblZoom = new QLabel(QStringLiteral("&Zoom"), this);
    lblZoom->setBuddy(cbZoom_);

    auto* tools = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{btnFirst, btnPrior, lblPage, editPage_,
                                                      lblPageCount_, btnNext, btnLast}) {
        tools->addWidget(w);
    }
    tools->addSpacing(24);
    for (QWidget* w : std::initializer_list<QWidget*>{lblZoom, btnZoomOut, cbZoom_, btnZoomIn}) {
        tools->addWidget(w);
    }
    tools->addStretch();
    tools->addWidget(btnPrint);
    tools->addWidget(btnClose);

    pages_ = new PreviewPages(renderer_, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(pages_, 1);

    connect(btnFirst, &QPushButton::clicked, this, [this] { ShowPage(0); });
    connect(btnPrior, &QPushButton::clicked, this, [this] { ShowPage(pages_->CurrentPage() - 1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { ShowPage(pages_->CurrentPage() + 1); });
    connect(btnLast, &QPushButton::clicked, this, [this] { ShowPage(renderer_.PageCount() - 1); });
    connect(editPage_, &QSpinBox::valueChanged, this, [this](int page) {
        if (page - 1 != pages_->CurrentPage()) {
            pages_->GoToPage(page - 1);
        }
    });
    connect(pages_, &PreviewPages::currentPageChanged, this, [this](int page) {
        const QSignalBlocker block(editPage_);
        editPage_->setValue(page + 1);
    });
    connect(cbZoom_, &QComboBox::activated, this, &TF_ReportPreview::ZoomChosen);
    connect(btnZoomIn, &QPushButton::clicked, this, [this] { StepZoom(1); });
    connect(btnZoomOut, &QPushButton::clicked, this, [this] { StepZoom(-1); });
    connect(btnPrint, &QPushButton::clicked, this, &TF_ReportPreview::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { ShowPage(0); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { ShowPage(renderer_.PageCount() - 1); });
    shortcut(QKeySequence::ZoomIn, [this] { StepZoom(1); });
    shortcut(QKeySequence::ZoomOut, [this] { StepZoom(-1); });
    shortcut(QKeySequence::Print, [this] { btnPrintClick(); });

    setWindowState(windowState() | Qt::WindowMaximized);
    pages_->setFocus();
}

void TF_ReportPreview::ShowPage(int page) {
    pages_->GoToPage(page);
    const QSignalBlocker block(editPage_);
    editPage_->setValue(pages_->CurrentPage() + 1);
}

void TF_ReportPreview::ZoomChosen(int index) {
    const int choice = cbZoom_->itemData(index).toInt();
    if (choice == kZoomPageWidth) {
        pages_->SetZoom(pages_->PageWidthZoom());
    } else if (choice == kZoomWholePage) {
        pages_->SetZoom(pages_->WholePageZoom());
    } else {
        pages_->SetZoom(choice / 100.0);
    }
}

void TF_ReportPreview::StepZoom(int direction) {
    const int current = static_cast<int>(std::lround(pages_->Zoom() * 100));
    int next = current;
    if (direction > 0) {
        const auto* step = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), current);
        next = step != std::end(kZoomSteps) ? *step : current;
    } else {
        const auto* step = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), current);
        next = step != std::begin(kZoomSteps) ? *(step - 1) : current;
    }
    pages_->SetZoom(next / 100.0);
    cbZoom_->setCurrentIndex(cbZoom_->findData(next));
}

void TF_ReportPreview::btnPrintClick() {
    PrintReport(this, prompts_, printer_, renderer_);
}

} // namespace vell3::report
