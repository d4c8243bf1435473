#include "ui/export.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSvgGenerator>
#include <QWidget>

#include "ui/chart_parts.h"

#include <utility>
#include <vector>

namespace qlx::ui {

namespace {

// A window's picture is its figures, not the buttons that act on it: they are hidden while the
// picture is taken, keeping their room so that nothing moves, and shown again after.
class ButtonsHidden {
public:
    explicit ButtonsHidden(QWidget* widget) {
        if (!widget->isWindow()) return;
        for (QPushButton* b : widget->findChildren<QPushButton*>()) {
            if (!b->isVisible()) continue;
            QSizePolicy keep = b->sizePolicy();
            hidden_.push_back({b, keep});
            keep.setRetainSizeWhenHidden(true);
            b->setSizePolicy(keep);
            b->hide();
        }
    }
    ~ButtonsHidden() {
        for (auto& [b, policy] : hidden_)
            if (b) {
                b->show();
                b->setSizePolicy(policy);
            }
    }
    ButtonsHidden(const ButtonsHidden&) = delete;
    ButtonsHidden& operator=(const ButtonsHidden&) = delete;

private:
    std::vector<std::pair<QPointer<QPushButton>, QSizePolicy>> hidden_;
};

}  // namespace

bool SaveImage(QWidget* widget, const QString& path) {
    HideTips(widget);
    const ButtonsHidden without(widget);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png") return widget->grab().save(path, "PNG");
    if (suffix == "svg") {
        // Drawn as vectors: lines and text stay sharp at any size.
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(widget->size());
        svg.setViewBox(widget->rect());
        svg.setTitle(widget->windowTitle());
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        widget->render(&painter);
        return painter.end() && QFileInfo(path).size() > 0;
    }
    if (suffix == "pdf") {
        QPdfWriter pdf(path);
        pdf.setTitle(widget->windowTitle());
        pdf.setCreator("QLX");
        QPainter painter;
        if (!painter.begin(&pdf)) return false;
        // The window as large as fits the page, keeping its proportions.
        const QRect page = painter.viewport();
        QSize size = widget->size();
        size.scale(page.size(), Qt::KeepAspectRatio);
        painter.scale(static_cast<double>(size.width()) / widget->width(),
                      static_cast<double>(size.height()) / widget->height());
        widget->render(&painter);
        return painter.end() && QFileInfo(path).size() > 0;
    }
    return false;
}

void CopyImage(QWidget* widget) {
    HideTips(widget);
    const ButtonsHidden without(widget);
    QApplication::clipboard()->setPixmap(widget->grab());
}

bool SaveText(const std::string& text, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const auto written = file.write(text.data(), static_cast<qint64>(text.size()));
    return written == static_cast<qint64>(text.size()) && file.flush();
}

namespace {

void Failed(QWidget* parent, const QString& path) {
    QMessageBox::warning(parent, "QLX", "The file could not be written:\n" + path);
}

// The folder of the last file saved this session, else the user's documents: never the
// program's own folder, where a file would be lost among the program's.
QString& LastFolder() {
    static QString folder;
    return folder;
}

// The save dialog's first suggestion, in the last folder used.
QString Suggested(const QString& file_name) {
    QString folder = LastFolder();
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? file_name : QDir(folder).filePath(file_name);
}

// Asks where to save, titled after the window the user is in ("Save - QLX, Line Across a Band").
QString AskWhere(QWidget* widget, const QString& what, const QString& file_name, const QString& filter) {
    const QString caption = widget->window()->windowTitle();
    const QString title = caption.isEmpty() ? "Save " + what : "Save " + what + " - " + caption;
    const QString path = QFileDialog::getSaveFileName(widget, title, Suggested(file_name), filter);
    if (!path.isEmpty()) LastFolder() = QFileInfo(path).absolutePath();
    return path;
}

}  // namespace

void AddExport(QWidget* widget, const QString& name, std::function<std::string()> csv, bool shortcuts) {
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    // A chart inside a window that has the exports already offers the window's first, with
    // their shortcuts, then pictures of the chart alone.
    QWidget* window = widget->window();
    const bool chart_in_window = !shortcuts && window != widget && !window->actions().isEmpty();
    if (chart_in_window) {
        widget->addActions(window->actions());
        auto* line = new QAction(widget);
        line->setSeparator(true);
        widget->addAction(line);
    }
    const QString what = chart_in_window ? "Chart" : "Picture";
    auto* copy = new QAction(chart_in_window ? "Copy Chart as Picture" : "Copy as Picture", widget);
    if (shortcuts) copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, widget, [widget] { CopyImage(widget); });
    widget->addAction(copy);

    auto* save = new QAction(chart_in_window ? "Save Chart as PNG, SVG or PDF..." : "Save as PNG, SVG or PDF...", widget);
    if (shortcuts) save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(save, &QAction::triggered, widget, [widget, name, what] {
        const QString path = AskWhere(widget, what, name + ".png", "PNG picture (*.png);;SVG drawing (*.svg);;PDF (*.pdf)");
        if (!path.isEmpty() && !SaveImage(widget, path)) Failed(widget, path);
    });
    widget->addAction(save);

    if (csv && !chart_in_window)
        AddSaveText(widget, "Save Points as CSV...", name + ".csv", "CSV (*.csv)",
                    shortcuts ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V) : QKeySequence(), std::move(csv));
}

QAction* AddSaveText(QWidget* widget, const QString& caption, const QString& file_name, const QString& filter,
                     const QKeySequence& shortcut, std::function<std::string()> text) {
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* action = new QAction(caption, widget);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, widget, [widget, caption, file_name, filter, text] {
        const QString what = QString(caption).remove("Save ").remove("...");
        const QString path = AskWhere(widget, what, file_name, filter);
        if (!path.isEmpty() && !SaveText(text(), path)) Failed(widget, path);
    });
    widget->addAction(action);
    return action;
}

}  // namespace qlx::ui
