#pragma once

#include "AppSettings.h"
#include "RecordingPage.h"
#include "TableTestSupport.h"

#include <functional>
#include <string>

namespace vell3::mailing::test {

// A recording page that lets the test look at the world the moment its
// document begins (what the settings file and the log hold then).
class ObservedPage : public RecordingPage {
public:
    ObservedPage() : RecordingPage(600, 600) {}
    std::function<void()> onBegin;
    void BeginDocument() override {
        if (onBegin) {
            onBegin();
        }
        RecordingPage::BeginDocument();
    }
};

// A folder of its own with a settings file and the engine's errors recorded.
class MailingTest : public tables::test::TableTest {
protected:
    void SetUp() override;

    std::string SettingsPath() const { return PathOf("vell3.ini"); }
    std::string LogPath() const { return PathOf("Reports/report3.dbf"); }
    // The value of a key as the settings file holds it now.
    std::string SavedValue(const std::string& key) const;
    // The log's rows: the named field of each, trimmed.
    std::vector<std::string> LoggedField(const std::string& field) const;

    AppSettings settings_;
};

} // namespace vell3::mailing::test
