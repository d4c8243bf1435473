// Builds the manual QLX.PDF from its Markdown source at build time: a table of contents with the
// page of each of the source's sections, then the text with its pictures (the screenshots beside
// the source, which scripts/screenshots.sh renews from the running program), each fitted to the
// page, every heading kept with its text, and the page numbers at the foot.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextFrame>
#include <QTextTable>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The sections ("## " headings) in order.
QStringList Sections(const QString& markdown) {
    QStringList titles;
    const QRegularExpression heading("^## (.+)$", QRegularExpression::MultilineOption);
    for (auto it = heading.globalMatch(markdown); it.hasNext();) titles << it.next().captured(1);
    return titles;
}

// The page (from 0) a block starts on, in a document laid out in pages of `page_height`.
int PageOf(const QTextDocument& doc, const QTextBlock& b, double page_height) {
    return static_cast<int>(doc.documentLayout()->blockBoundingRect(b).top() / page_height);
}

// Keeps every heading on the page of the text it introduces: a heading whose next block starts
// on a later page begins that page itself. Repeated until nothing moves, since each break moves
// what follows.
void KeepHeadingsWithTheirText(QTextDocument& doc, double page_height) {
    for (int round = 0; round < 50; ++round) {
        bool moved = false;
        for (QTextBlock b = doc.begin(); b.isValid() && b.next().isValid(); b = b.next()) {
            if (b.blockFormat().headingLevel() == 0) continue;
            if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
            if (PageOf(doc, b.next(), page_height) <= PageOf(doc, b, page_height)) continue;
            QTextBlockFormat f = b.blockFormat();
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(b).setBlockFormat(f);
            moved = true;
            break;
        }
        if (!moved) return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: qlx_make_manual MANUAL.md OUT.PDF\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qlx_make_manual: cannot read %s\n", argv[1]);
        return 1;
    }
    QString markdown = QString::fromUtf8(in.readAll());
    // The contents go after the title and its first paragraph: a table of the sections, whose
    // page numbers are filled in once the pages are laid out.
    const QStringList sections = Sections(markdown);
    const qsizetype first_section = markdown.indexOf("\n## ");
    if (first_section > 0) {
        QString contents = "\n**Contents**\n\n| | |\n|:--|--:|\n";
        for (qsizetype k = 0; k < sections.size(); ++k) contents += QString("| %1. %2 | 00 |\n").arg(k + 1).arg(sections[k]);
        markdown.insert(first_section, contents + "\n");
    }

    QTextDocument doc;
    doc.setDefaultFont(QFont("Arial", 10));
    // Pictures are named relative to the source.
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(in.fileName()).absolutePath() + "/"));
    doc.setMarkdown(markdown);

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle("QLX manual");
    pdf.setCreator("QLX");
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);

    // Every picture at most as wide as the text, keeping its proportions; a missing one is an
    // error of the build, not a blank in the manual.
    const double text_width = 460.0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().isImageFormat()) continue;
            QTextImageFormat image = f.charFormat().toImageFormat();
            const QImage picture(doc.baseUrl().resolved(QUrl(image.name())).toLocalFile());
            if (picture.isNull()) {
                std::fprintf(stderr, "qlx_make_manual: no picture %s\n", image.name().toLocal8Bit().constData());
                return 1;
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
            const double w = std::min(text_width, static_cast<double>(picture.width()));
            image.setWidth(w);
            image.setHeight(w * picture.height() / picture.width());
            QTextCursor c(&doc);
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(image);
        }
    }
    // The contents table: no rules, a list with its page numbers to the right. Row 0 is the
    // table's empty header; the sections follow it.
    QTextTable* contents = nullptr;
    for (QTextFrame::iterator it = doc.rootFrame()->begin(); !it.atEnd() && !contents; ++it)
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()); table && table->columns() == 2) contents = table;
    if (contents) {
        contents->removeRows(0, 1);
        QTextTableFormat f = contents->format();
        f.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        f.setBorder(0);
        f.setWidth(QTextLength(QTextLength::PercentageLength, 80));
        contents->setFormat(f);
    }

    // Pages laid out by us, in the document's units (1/96 inch), with a line for the page number
    // at the foot of each.
    const double scale = pdf.logicalDpiX() / 96.0;
    const double footer = 28.0;
    const double page_width = pdf.width() / scale;
    const double page_height = pdf.height() / scale - footer;
    doc.setPageSize(QSizeF(page_width, page_height));
    KeepHeadingsWithTheirText(doc, page_height);

    // The page of each section, written into the contents (the numbers take the width of the
    // placeholders they replace, so no page moves).
    std::vector<int> pages;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() == 2) pages.push_back(PageOf(doc, b, page_height) + 1);
    for (int row = 0; contents && row < contents->rows() && row < static_cast<int>(pages.size()); ++row) {
        QTextCursor c = contents->cellAt(row, 1).firstCursorPosition();
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.insertText(QString::number(pages[static_cast<std::size_t>(row)]));
    }

    QPainter painter;
    if (!painter.begin(&pdf)) {
        std::fprintf(stderr, "qlx_make_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    const int count = doc.pageCount();
    for (int page = 0; page < count; ++page) {
        if (page > 0) pdf.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -page * page_height);
        doc.drawContents(&painter, QRectF(0, page * page_height, page_width, page_height));
        painter.restore();
        painter.setFont(QFont("Arial", 9));
        painter.drawText(QRectF(0, pdf.height() - footer * scale, pdf.width(), footer * scale), Qt::AlignCenter,
                         QString::number(page + 1));
    }
    return painter.end() ? 0 : 1;
}
