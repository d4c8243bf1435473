// Copy and save what a window shows, beside printing (which goes straight to the default
// printer): a context menu and the usual shortcuts on each printable window and on the chart.
#pragma once

#include <QKeySequence>
#include <QString>
#include <functional>
#include <string>

class QAction;
class QWidget;

namespace qlx::ui {

// Saves the widget's picture; the file's suffix chooses PNG, SVG or PDF. False when it could
// not be written (or the suffix is none of them).
bool SaveImage(QWidget* widget, const QString& path);
// Puts the widget's picture on the clipboard.
void CopyImage(QWidget* widget);
// Writes text (the graph's points) to a file; false when that failed.
bool SaveText(const std::string& text, const QString& path);

// Adds "Copy as Picture" (Ctrl+Shift+C) and "Save as PNG, SVG or PDF..." (Ctrl+Shift+S) to the
// widget's context menu, and with `csv` "Save Points as CSV..." (Ctrl+Shift+V).
// A widget inside a window that has them already (the chart) takes the menu without shortcuts.
void AddExport(QWidget* widget, const QString& name, std::function<std::string()> csv = {}, bool shortcuts = true);

// Adds an action that saves the text `text` gives to a file the user names (the save dialog
// offers `file_name` and `filter`), with a message when it cannot be written.
QAction* AddSaveText(QWidget* widget, const QString& caption, const QString& file_name, const QString& filter,
                     const QKeySequence& shortcut, std::function<std::string()> text);

}  // namespace qlx::ui
