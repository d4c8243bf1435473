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

namespace qlx::ui {

bool SaveImage(QWidget* widget, const QString& path) {
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

void CopyImage(QWidget* widget) { QApplication::clipboard()->setPixmap(widget->grab()); }

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

    if (!csv) return;
    auto* points = new QAction("Save Points as CSV...", widget);
    if (shortcuts) points->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    points->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(points, &QAction::triggered, widget, [widget, name, csv] {
        const QString path = QFileDialog::getSaveFileName(widget, "Save the points", name + ".csv", "CSV (*.csv)");
        if (!path.isEmpty() && !SaveText(csv(), path)) Failed(widget, path);
    });
    widget->addAction(points);
}

}  // namespace qlx::ui
