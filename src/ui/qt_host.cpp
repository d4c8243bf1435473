#include "ui/qt_host.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <algorithm>

#include "ui/bind.h"

namespace qlx::ui {

form::Answer QtHost::ShowMessage(const std::string& text, const std::string& title,
                                 form::Buttons buttons) {
    // Over the window the user is working in (the one whose action raised the message), so
    // that the box neither hides it nor brings the main window up over it.
    QWidget* over = QApplication::activeModalWidget();
    if (!over) over = QApplication::activeWindow();
    if (!over || !over->isVisible()) over = parent_;
    const MessageScope scope;
    QMessageBox box(over);
    box.setWindowTitle(QString::fromStdString(title));
    // A word too long for any box (a file's path) gets places to break, after its separators or
    // every 40 characters, so that no part of it is cut off. Shorter words (numbers) stay whole.
    QString shown;
    for (const QString& word : QString::fromStdString(text).split(QRegularExpression("(?=\\s)|(?<=\\s)"))) {
        if (word.size() <= 40) {
            shown += word;
            continue;
        }
        int run = 0;
        for (const QChar c : word) {
            shown += c;
            if (++run >= 40 || QStringLiteral("/\\_.-").contains(c)) {
                shown += QChar(0x200B);
                run = 0;
            }
        }
    }
    box.setText(shown);
    box.setIcon(QMessageBox::NoIcon);
    // A box no narrower than its title ("Bad Number of Points!"), with room for the title bar's
    // buttons: a short message must not cut its title short.
    // No narrower than its widest unbreakable piece either, as far as the screen allows.
    if (auto* label = box.findChild<QLabel*>("qt_msgbox_label")) {
        int widest = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 80;
        for (const QString& piece : shown.split(QRegularExpression("[\\s\\x{200B}]+"), Qt::SkipEmptyParts))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(piece) + 4);
        const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
        if (screen) widest = std::min(widest, screen->availableGeometry().width() - 120);
        label->setMinimumWidth(widest);
    }
    std::map<QAbstractButton*, form::Answer> answers;
    auto add = [&](const QString& caption, QMessageBox::ButtonRole role, form::Answer answer) {
        answers[box.addButton(caption, role)] = answer;
    };
    switch (buttons) {
        case form::Buttons::Ok:
            add(QMessageBox::tr("OK"), QMessageBox::AcceptRole, form::Answer::Ok);
            break;
        case form::Buttons::YesNo:
            add(QMessageBox::tr("&Yes"), QMessageBox::YesRole, form::Answer::Yes);
            add(QMessageBox::tr("&No"), QMessageBox::NoRole, form::Answer::No);
            break;
        case form::Buttons::CancelTryAgainContinue:
            add(QMessageBox::tr("Cancel"), QMessageBox::RejectRole, form::Answer::Cancel);
            add(QMessageBox::tr("&Try Again"), QMessageBox::AcceptRole, form::Answer::TryAgain);
            add(QMessageBox::tr("&Continue"), QMessageBox::AcceptRole, form::Answer::Continue);
            add(QMessageBox::tr("Save as &PDF\u2026"), QMessageBox::ActionRole, form::Answer::SavePdf);
            break;
    }
    box.exec();
    const auto it = answers.find(box.clickedButton());
    if (it != answers.end()) return it->second;
    // Closed with Escape or the title bar: the box's "no" answer.
    return buttons == form::Buttons::YesNo ? form::Answer::No
           : buttons == form::Buttons::Ok  ? form::Answer::Ok
                                           : form::Answer::Cancel;
}

void QtHost::ShowModal(form::Window& window) {
    // A dialog opens over its window: at start-up the main window shows first (the user-defined
    // line's dialog may open while the defaults are being loaded).
    if (parent_ && !parent_->isVisible()) parent_->show();
    window.SetVisible(true);
    const auto it = views_.find(window.name());
    if (it != views_.end()) {
        if (auto* dialog = qobject_cast<QDialog*>(it->second)) dialog->exec();
    }
    window.SetVisible(false);
    // The keyboard goes back to the window that opened the dialog.
    if (parent_ && parent_->isVisible()) parent_->activateWindow();
}

void QtHost::ShowModeless(form::Window& window) {
    window.SetVisible(true);
    const auto it = views_.find(window.name());
    if (it == views_.end()) return;
    it->second->show();
    it->second->raise();
    it->second->activateWindow();
}

namespace {

// The window's picture on the printer's page, as large as fits, keeping its proportions.
bool PaintWindow(QWidget* widget, QPrinter& printer) {
    const QPixmap image = widget->grab();
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // The window's image, as large as fits the page, keeping its proportions.
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), image);
    return painter.end();
}

}  // namespace

bool QtHost::PrintWindow(form::Window& window) {
    const auto it = views_.find(window.name());
    if (it == views_.end()) return false;
    QPrinter printer(QPrinter::HighResolution);
    if (!print_file_.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(print_file_));
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return false;
        printer.setPrinterName(info.printerName());
    }
    return PaintWindow(it->second, printer);
}

bool QtHost::SaveWindowAsPdf(form::Window& window) {
    const auto it = views_.find(window.name());
    if (it == views_.end()) return false;
    const QString suggested = QDir::home().filePath(QString::fromStdString(window.caption()).remove(QRegularExpression("[^A-Za-z0-9 ,.-]")) + ".pdf");
    const QString path = choose_pdf ? choose_pdf(it->second, suggested)
                                    : QFileDialog::getSaveFileName(it->second, QMessageBox::tr("Save as PDF"), suggested,
                                                                   QMessageBox::tr("PDF files (*.pdf)"));
    if (path.isEmpty()) return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (PaintWindow(it->second, printer)) return true;
    ShowMessage("The file could not be written:\n" + path.toStdString(), form::kProgramTitle, form::Buttons::Ok);
    return false;
}

form::OpenResult QtHost::OpenDocument(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return form::OpenResult::FileNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file)) ? form::OpenResult::Opened
                                                                : form::OpenResult::NoViewer;
}

float QtHost::ScreenWidthTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 1e9f;
    const double dpi = screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX() : 96.0;
    return static_cast<float>(screen->geometry().width() * 1440.0 / dpi);
}

float QtHost::ScreenHeightTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 1e9f;
    const double dpi = screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
    return static_cast<float>(screen->geometry().height() * 1440.0 / dpi);
}

std::string QtHost::ProgramDirectory() {
    return QCoreApplication::applicationDirPath().toStdString();
}

char QtHost::DecimalMark() {
    const QString point = QLocale().decimalPoint();
    return point == QStringLiteral(",") ? ',' : '.';
}

void QtHost::Quit() { QCoreApplication::exit(0); }

}  // namespace qlx::ui
