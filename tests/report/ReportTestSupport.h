#pragma once

#include "EngineError.h"
#include "LogReportRun.h"
#include "TTzDbf.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace vell3::report::test {

// One row of a mailing log as a test writes it.
struct LogRow {
    std::string name0;
    std::string city;
    std::string state;
    std::string zip;
    tables::DbfDate date;
    std::string mailernum;
    std::string postage = "      0.39";
    std::string certified = "      2.40";
    std::string restricted = " ";
    std::string returnFee = "      1.85";
    std::string total = "      4.64";
    std::string name1 = {};
    std::string comments = {};
    std::string re = {};
};

// Writes a mailing log with these rows, in this record order.
inline void WriteLog(const std::string& path, const std::vector<LogRow>& rows) {
    tables::TTzDbf log("TestLog");
    ConfigureLogTable(log, path);
    log.Open();
    for (const LogRow& row : rows) {
        log.ClearRecord();
        log.SetField("sentname0", row.name0);
        log.SetField("sentname1", row.name1);
        log.SetField("city", row.city);
        log.SetField("state", row.state);
        log.SetField("zip", row.zip);
        log.SetField("mailernum", row.mailernum);
        log.SetField("postage", row.postage);
        log.SetField("certified", row.certified);
        log.SetField("restricted", row.restricted);
        log.SetField("return", row.returnFee);
        log.SetField("total", row.total);
        log.SetField("comments", row.comments);
        log.SetField("re", row.re);
        log.SetField("rdate", tables::ShortString(tables::FormatShortDate(row.date)));
        if (log.ALock()) {
            log.AppendRec();
            log.UnLock();
        }
    }
    log.Close();
}

// The grouped mailer number of a serial, as the log stores it.
inline std::string Grouped(int serial) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "7112345678%010d", serial);
    std::string grouped;
    for (int i = 0; i < 20; ++i) {
        if (i > 0 && i % 4 == 0) {
            grouped += ' ';
        }
        grouped += digits[i];
    }
    return grouped;
}

struct CommandResult {
    int status = -1;
    std::string out;
};

// Runs a shell command and collects its standard output.
inline CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    result.status = ::pclose(pipe);
    return result;
}

inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The text of a PDF in reading layout, as poppler reads it.
inline std::string PdfText(const std::string& path, int page = 0) {
    std::string command = "pdftotext -layout ";
    if (page > 0) {
        command += "-f " + std::to_string(page) + " -l " + std::to_string(page) + " ";
    }
    return RunCommand(command + Quote(path) + " -").out;
}

// The positions of texts in a document, -1 for one that is missing.
inline std::vector<std::size_t> PositionsOf(const std::string& text,
                                            const std::vector<std::string>& parts) {
    std::vector<std::size_t> positions;
    for (const std::string& part : parts) {
        positions.push_back(text.find(part));
    }
    return positions;
}

// A folder of its own per test with the engine's errors recorded.
class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = tables::SetEngineErrorHook(
            [this](const tables::EngineError& error) { errors_.push_back(error); });
    }
    void TearDown() override { tables::SetEngineErrorHook(previous_); }

    std::string Path(const std::string& name) const {
        return dir_.path().toStdString() + "/" + name;
    }

    QTemporaryDir dir_;
    std::vector<tables::EngineError> errors_;
    tables::EngineErrorHook previous_;
};

} // namespace vell3::report::test
