// Builds the manual QLX.PDF from its Markdown source at build time: a table of contents from the
// source's sections, then the text with its pictures (the screenshots beside the source, which
// scripts/screenshots.sh renews from the running program), each fitted to the page.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
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

namespace {

// "## Section" lines, numbered, as a list to put after the title.
QString Contents(const QString& markdown) {
    QString list = "\n**Contents**\n\n";
    int n = 0;
    const QRegularExpression heading("^## (.+)$", QRegularExpression::MultilineOption);
    for (auto it = heading.globalMatch(markdown); it.hasNext();)
        list += QString("%1. %2\n").arg(++n).arg(it.next().captured(1));
    return list + "\n";
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
    // The contents go after the title and its first paragraph.
    const qsizetype first_section = markdown.indexOf("\n## ");
    if (first_section > 0) markdown.insert(first_section, Contents(markdown));

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
    doc.print(&pdf);
    return 0;
}
