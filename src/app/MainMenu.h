#pragma once

class QAction;
class QMenuBar;
class QObject;

namespace vell3 {

// Builds the main window's whole menu in the order and with the captions the
// user sees. Every item carries its object name; a command is wired by the
// file of its own feature, which finds the item by that name. Items whose
// feature is not wired stay disabled.
void BuildMainMenu(QMenuBar* bar);

// The menu item of that object name under `window`; a missing item is a
// programming fault and stops the program.
QAction* MenuAction(QObject* window, const char* name);

// Enables the item and connects it to `run`.
template <typename F> QAction* WireMenuAction(QObject* window, const char* name, F run);

} // namespace vell3

#include <QAction>

namespace vell3 {

template <typename F> QAction* WireMenuAction(QObject* window, const char* name, F run) {
    QAction* action = MenuAction(window, name);
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, window, [run] { run(); });
    return action;
}

} // namespace vell3
