#include "PdfRunPage.h"

namespace vell3::mailing {

PdfRunPage::PdfRunPage(const QString& path, int dpi) : pdf_(path, dpi) {}

PdfRunPage::~PdfRunPage() {
    if (open_) {
        pdf_.AbortDocument();
    }
}

void PdfRunPage::BeginDocument() {
    if (!open_) {
        pdf_.BeginDocument();
        open_ = true;
    } else {
        pdf_.NewPage();
    }
    ++pages_;
}

void PdfRunPage::Finish() {
    if (open_) {
        open_ = false;
        pdf_.EndDocument();
    }
}

} // namespace vell3::mailing
