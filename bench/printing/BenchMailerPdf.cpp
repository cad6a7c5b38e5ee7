// Times the drawing of 1,000 mailers, each with its own label number, into one
// PDF at 600 dpi: barcodes, POSTNET symbols and every text item.

#include "Money.h"
#include "PrintFonts.h"
#include "QPainterPage.h"
#include "U_CertPrint.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kPages = 1000;
constexpr int kDpi = 600;

vell3::MailerFormValues SampleMailer() {
    vell3::MailerFormValues v;
    v.SetSenderLines({"Ambervale Supply Co", "100 Harbor Way", "Portland OR 97201", "", ""});
    v.SenderZip = "97201";
    v.SetRecipientLines({"John Smith", "4 Elm Road", "Boston MA 02134-5678", "", ""});
    v.RecipientZip = "02134-5678";
    v.ReText = "Lease 12B";
    v.CommentText = "First notice";
    v.RestrictedMark = "Y";
    v.NumberSource = "123456789";
    v.PostageText = vell3::FeeFieldText("0.39");
    v.CertFeeText = vell3::FeeFieldText("2.40");
    v.ReturnText = vell3::FeeFieldText("1.85");
    v.RestrictedText = vell3::FeeFieldText("3.50");
    v.TotalText =
        vell3::FeeTotalText({v.PostageText, v.CertFeeText, v.RestrictedText, v.ReturnText});
    return v;
}

} // namespace

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    vell3::InstallPrintFontSubstitutions();
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::temp().filePath("vell3-bench.pdf");

    vell3::MailerFormValues values = SampleMailer();
    const auto start = std::chrono::steady_clock::now();
    {
        vell3::PdfFilePage page(path, kDpi);
        page.BeginDocument();
        for (int i = 0; i < kPages; ++i) {
            char serial[16];
            std::snprintf(serial, sizeof serial, "%08d", i + 1);
            values.SerialSource = serial;
            if (i > 0) {
                page.NewPage();
            }
            vell3::DrawMailerPage(page, values, true, vell3::BasePrintFont{});
        }
        page.EndDocument();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%d mailer pages at %d dpi to one PDF: %.2f s (%.2f ms a page), %.1f MB, %s\n",
                kPages, kDpi, elapsed.count(), elapsed.count() * 1000.0 / kPages,
                static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0), qPrintable(path));
    return 0;
}
