#include "MainMenu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace vell3 {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

QMenu* AddSubmenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name));
    return sub;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// Radio items, exclusive within their own submenu only.
void AddRadioGroup(QMenu* menu, std::initializer_list<std::pair<const char*, const char*>> items) {
    auto* group = new QActionGroup(menu);
    for (const auto& [name, caption] : items) {
        QAction* item = AddItem(menu, name, QString::fromLatin1(caption));
        item->setCheckable(true);
        group->addAction(item);
    }
}

void BuildFileMenu(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    AddItem(file, "MIReadWriteToDB", QStringLiteral("&Read/Write to a database"), false);
    AddSeparator(file, "N2");
    AddItem(file, "MIPrint", QStringLiteral("&Print"), false);
    AddItem(file, "MIMassPrint", QStringLiteral("&Mass Print"), false);
    AddItem(file, "MIPrintBarCodes", QStringLiteral("Print &Bar Codes"), false);
    AddSeparator(file, "N1");
    AddItem(file, "MIExit", QStringLiteral("&Exit"));
}

void BuildOptionsMenu(QMenuBar* bar) {
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    AddItem(options, "MailerNumber1", QStringLiteral("&Mailer Number"));
    AddItem(options, "YourNameAddress1", QStringLiteral("&Your Name && Address"));
    QMenu* printOptions = AddSubmenu(options, "MIPrintOptions", QStringLiteral("Print &Options"));
    AddItem(printOptions, "MIPrinterSetup", QStringLiteral("&Printer Setup"));
    AddItem(printOptions, "MIPrinterAlignment", QStringLiteral("Printer &Alignment"));
    AddItem(printOptions, "MIExtraLabel", QStringLiteral("&Extra Label"));
    QMenu* barCodes = AddSubmenu(options, "BarCodes1", QStringLiteral("&BarCode's"));
    AddRadioGroup(barCodes, {{"PrintBarCodeMI", "&Print"}, {"DontPrintBarCodeMI", "&Don't Print"}});
    QMenu* defaults = AddSubmenu(options, "defaultPostage1", QStringLiteral("&Default Postage"));
    AddItem(defaults, "SaveValues1", QStringLiteral("&Save Values"));
    QMenu* textFiles = AddSubmenu(options, "MINameAddressTextFiles",
                                  QStringLiteral("&Name && Address Text Files"));
    AddItem(textFiles, "MIImport", QStringLiteral("&Import"), false);
    AddItem(textFiles, "MIExport", QStringLiteral("&Export"), false);
}

void BuildReportMenu(QMenuBar* bar) {
    QMenu* report = bar->addMenu(QStringLiteral("&Report"));
    report->setObjectName(QStringLiteral("Report1"));
    QMenu* printReport = AddSubmenu(report, "PrintReport1", QStringLiteral("&Print"));
    AddItem(printReport, "miPrintFull", QStringLiteral("Full Detail"), false);
    AddItem(printReport, "miPrintShort", QStringLiteral("Short Detail"), false);
    QMenu* previewReport = AddSubmenu(report, "PreviewReport1", QStringLiteral("Pre&view"));
    AddItem(previewReport, "miPreviewFull", QStringLiteral("&Full Detail"), false);
    AddItem(previewReport, "miPreviewShort", QStringLiteral("&Short Detail"), false);
    AddItem(report, "ClearReport1", QStringLiteral("&Clear"), false);
    QMenu* sort = AddSubmenu(report, "SortRepost1", QStringLiteral("&Sort"));
    // The report order lives only in the menu; at start no item is checked.
    AddRadioGroup(sort, {{"MIByMailerNumber", "&By Mailer Number"},
                         {"MIByName", "By &Name"},
                         {"MIByDate", "By &Date"},
                         {"MIByZipCode", "By &ZipCode"}});
}

void BuildHelpMenu(QMenuBar* bar) {
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    AddItem(help, "Content1", QStringLiteral("&Content"));
    AddSeparator(help, "N3");
    AddItem(help, "BarCodePrintingRegistration1",
            QStringLiteral("&Print Bar Code Printing Registration"));
    AddItem(help, "MIOrderSupplies", QStringLiteral("&Order Supplies"));
    AddItem(help, "MITechnicalSupport", QStringLiteral("&Technical Support"));
    AddSeparator(help, "N5");
    AddItem(help, "miAbout", QStringLiteral("&About"));
}

} // namespace

void BuildMainMenu(QMenuBar* bar) {
    bar->setObjectName(QStringLiteral("MainMenu1"));
    BuildFileMenu(bar);
    BuildOptionsMenu(bar);
    QAction* track = bar->addAction(QStringLiteral("Track Item"));
    track->setObjectName(QStringLiteral("TrackItem1"));
    BuildReportMenu(bar);
    BuildHelpMenu(bar);
}

QAction* MenuAction(QObject* window, const char* name) {
    // A submenu's own action shares its menu's name; the item is the action.
    for (QAction* action : window->findChildren<QAction*>(QString::fromLatin1(name))) {
        return action;
    }
    qFatal("no menu item %s", name);
}

} // namespace vell3
