#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace vell3 {

// The help file name beside the program: an HTML page shown in the program's
// own help window.
inline constexpr const char* kHelpFileName = "Vell3.html";

// The help window: the contents of the help file in a browser that follows
// the file's own links.
class TF_Help : public QDialog {
    Q_OBJECT
public:
    TF_Help(const QString& helpFile, QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace vell3
