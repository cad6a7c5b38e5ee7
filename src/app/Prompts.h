#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QUrl;
class QWidget;

namespace vell3 {

// Everything the windows ask of the user or hand to the desktop goes through
// this interface, so that tests can script the answers and record the calls.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Box titled "Information", information icon, OK.
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // Box titled "Error", error icon, OK.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // Box titled "Confirm", question icon, Yes and No; true for Yes.
    virtual bool ConfirmYesNo(QWidget* parent, const QString& text) = 0;
    // Box titled "Confirm", question icon, Yes, No and Cancel.
    enum class Answer { Yes, No, Cancel };
    virtual Answer ConfirmYesNoCancel(QWidget* parent, const QString& text) = 0;
    // Box titled "Confirm", question icon, OK and Cancel; true for OK.
    virtual bool ConfirmOkCancel(QWidget* parent, const QString& text) = 0;
    // Box titled "Program halted.", error icon, OK: the last thing a run shows.
    virtual void Halted(QWidget* parent, const QString& text) = 0;
    // The three-button question box; returns the 1-based position of the
    // caption pressed.
    virtual int AskThreeWay(QWidget* parent, const QString& title, const QString& message,
                            const QStringList& captions) = 0;
    // The printer setup dialog on the run's printer; true when accepted.
    virtual bool PrinterSetup(QWidget* parent, QPrinter& printer) = 0;
    // The report's "Output Options" on the run's printer: copies, collation,
    // duplex, page range of pageCount pages and the printer's own setup, the
    // printer the only destination; true when the user prints.
    virtual bool OutputOptions(QWidget* parent, QPrinter& printer, int pageCount) = 0;
    // The open-file and save-file dialogs; an empty text when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    // The open-file dialog that also takes the name of a file not there yet
    // (a table to be created); a name typed without an extension gets
    // `defaultSuffix`. An empty text when cancelled.
    virtual QString OpenOrNewFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter, const QString& defaultSuffix) = 0;
    // Hands a web or mailto address to the desktop.
    virtual void OpenUrl(const QUrl& url) = 0;
};

// The real boxes and dialogs.
class WidgetPrompts : public Prompts {
public:
    void Information(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    bool ConfirmYesNo(QWidget* parent, const QString& text) override;
    Answer ConfirmYesNoCancel(QWidget* parent, const QString& text) override;
    bool ConfirmOkCancel(QWidget* parent, const QString& text) override;
    void Halted(QWidget* parent, const QString& text) override;
    int AskThreeWay(QWidget* parent, const QString& title, const QString& message,
                    const QStringList& captions) override;
    bool PrinterSetup(QWidget* parent, QPrinter& printer) override;
    bool OutputOptions(QWidget* parent, QPrinter& printer, int pageCount) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString OpenOrNewFileName(QWidget* parent, const QString& title, const QString& folder,
                              const QString& filter, const QString& defaultSuffix) override;
    void OpenUrl(const QUrl& url) override;
};

} // namespace vell3
