#pragma once

#include <QString>

namespace vell3 {

// A file dialog filter written the Windows way ("Description|*.a;*.b|All
// Files|*.*") in the form Qt's dialogs read ("Description (*.a *.b);;All
// Files (*)"). A description that shows its patterns in parentheses keeps
// its wording, with the patterns in Qt's form; "*.*" matches every file, as
// it does on Windows, also one without an extension.
QString QtFileFilter(const QString& windowsFilter);

// A file name the user typed without an extension gets the dialog's default
// one ("list" becomes "list.txt"); a name with one stays as it is.
QString WithDefaultExtension(const QString& path, const QString& extension);

} // namespace vell3
