#pragma once

#include "EngineError.h"
#include "PageSource.h"
#include "RecordingPage.h"

#include <QApplication>
#include <QCursor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace vell3::test {

// A page that hands everything to a recording page the test keeps, so that
// the pages outlive the command that printed on them.
class KeptPage : public PrintPage {
public:
    KeptPage(std::shared_ptr<RecordingPage> page, std::vector<bool>* hourglass)
        : page_(std::move(page)), hourglass_(hourglass) {}
    void BeginDocument() override {
        const QCursor* cursor = QApplication::overrideCursor();
        hourglass_->push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
        page_->BeginDocument();
    }
    void EndDocument() override { page_->EndDocument(); }
    void AbortDocument() noexcept override { page_->AbortDocument(); }
    int DpiX() const override { return page_->DpiX(); }
    int DpiY() const override { return page_->DpiY(); }
    int PhysicalOffsetX() const override { return page_->PhysicalOffsetX(); }
    int PhysicalOffsetY() const override { return page_->PhysicalOffsetY(); }
    void SelectFont(const PrintFont& font) override { page_->SelectFont(font); }
    const PrintFont& CurrentFont() const override { return page_->CurrentFont(); }
    int TextWidth(std::string_view text) override { return page_->TextWidth(text); }
    void DrawText(int x, int y, std::string_view text) override { page_->DrawText(x, y, text); }
    void DrawBitmap(int x, int y, int width, int height, const MonoBitmap& bitmap) override {
        page_->DrawBitmap(x, y, width, height, bitmap);
    }

private:
    std::shared_ptr<RecordingPage> page_;
    std::vector<bool>* hourglass_;
};

// Every page a window asked for, recorded; optionally a printer that fails.
struct RecordedPrints {
    std::vector<std::shared_ptr<RecordingPage>> pages;
    std::string failWith;        // BeginDocument fails with this text when set,
    size_t failFrom = 0;         // from this page on (0: every page)
    std::vector<bool> hourglass; // per document begun: the hourglass was showing

    PageSource Source() {
        return [this]() -> std::unique_ptr<PrintPage> {
            auto page = std::make_shared<RecordingPage>(600, 600);
            if (!failWith.empty() && pages.size() >= failFrom) {
                page->FailBegin(failWith);
            }
            pages.push_back(page);
            return std::make_unique<KeptPage>(page, &hourglass);
        };
    }

    // The documents that were ended, that is went to the printer whole.
    std::vector<std::shared_ptr<RecordingPage>> Printed() const {
        std::vector<std::shared_ptr<RecordingPage>> printed;
        for (const auto& page : pages) {
            for (RecordingPage::Event event : page->Events()) {
                if (event == RecordingPage::Event::End) {
                    printed.push_back(page);
                }
            }
        }
        return printed;
    }

    static QStringList Texts(const RecordingPage& page) {
        QStringList texts;
        for (const RecordingPage::Item& item : page.Texts()) {
            texts.append(QString::fromStdString(item.text));
        }
        return texts;
    }
};

// The rows of a dBASE table as python3-dbfread reads them (field names in
// lower case, dates as ISO texts); an empty list with `ok` false when the
// reader failed.
inline QJsonArray ReadTableWithDbfread(const QString& path, bool* ok = nullptr) {
    QProcess python;
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import dbfread, json, sys\n"
                        "rows = []\n"
                        "for r in dbfread.DBF(sys.argv[1], encoding='cp437', lowernames=True,\n"
                        "                     char_decode_errors='strict'):\n"
                        "    rows.append({k: (v.isoformat() if hasattr(v, 'isoformat') else v)\n"
                        "                 for k, v in r.items()})\n"
                        "print(json.dumps(rows))\n"),
         path});
    const bool finished = python.waitForFinished(30000);
    const bool good =
        finished && python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
    if (ok != nullptr) {
        *ok = good;
    }
    if (!good) {
        qWarning("dbfread: %s", python.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

// Records the engine errors reported while it lives (instead of the program's
// halt).
class EngineErrorRecorder {
public:
    EngineErrorRecorder()
        : previous_(tables::SetEngineErrorHook(
              [this](const tables::EngineError& error) { errors.push_back(error); })) {}
    ~EngineErrorRecorder() { tables::SetEngineErrorHook(std::move(previous_)); }
    EngineErrorRecorder(const EngineErrorRecorder&) = delete;
    EngineErrorRecorder& operator=(const EngineErrorRecorder&) = delete;

    std::vector<tables::EngineError> errors;

private:
    tables::EngineErrorHook previous_;
};

} // namespace vell3::test
