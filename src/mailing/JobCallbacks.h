#pragma once

#include "AppSettings.h"

#include <functional>
#include <string>

namespace vell3::mailing {

// How a print job asks and tells its caller: the window shows its dialogs and
// boxes, the headless tool answers and writes to standard error. An empty
// function takes the default named below.
struct JobCallbacks {
    // The Mailer Number dialog before a print, with "Do not show this screen
    // again" visible; true for OK. It may change the settings as the dialog
    // does. Default: OK without change.
    std::function<bool(AppSettings& settings)> confirmMailerNumber;
    // An error box with this text ("\r" breaks a line). Default: nothing.
    std::function<void(const std::string& message)> error;
    // The mailer went on paper with this grouped number (the window marks the
    // entry printed). Default: nothing.
    std::function<void(const std::string& groupedNumber)> printed;
    // A barcode label went on paper with this serial. Default: nothing.
    std::function<void(const std::string& serial)> labelPrinted;

    // Tells an error through `error` when there is one.
    void Tell(const std::string& message) const {
        if (error) {
            error(message);
        }
    }
};

} // namespace vell3::mailing
