#include "ui/export.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

#include "ui/chart_parts.h"

namespace qlx::ui {

bool SaveImage(QWidget* widget, const QString& path) {
    HideTips(widget);
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

}  // namespace

void AddExport(QWidget* widget, const QString& name, std::function<std::string()> csv, bool shortcuts) {
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction("Copy as Picture", widget);
    if (shortcuts) copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, widget, [widget] { CopyImage(widget); });
    widget->addAction(copy);

    auto* save = new QAction("Save as PNG, SVG or PDF...", widget);
    if (shortcuts) save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(save, &QAction::triggered, widget, [widget, name] {
        const QString path = QFileDialog::getSaveFileName(widget, "Save " + name, name + ".png",
                                                          "PNG picture (*.png);;SVG drawing (*.svg);;PDF (*.pdf)");
        if (!path.isEmpty() && !SaveImage(widget, path)) Failed(widget, path);
    });
    widget->addAction(save);

    if (csv)
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
        const QString path = QFileDialog::getSaveFileName(widget, QString(caption).remove("..."), file_name, filter);
        if (!path.isEmpty() && !SaveText(text(), path)) Failed(widget, path);
    });
    widget->addAction(action);
    return action;
}

}  // namespace qlx::ui
