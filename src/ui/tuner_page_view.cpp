#include "ui/tuner_page_view.h"

#include <algorithm>

#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "tuner/tuner_page.h"
#include "ui/bind.h"
#include "ui/export.h"
#include "tuner/schematic_layout.h"

namespace qlx::ui {

namespace {

namespace sc = tuner::schematic;

void Place(QWidget* w, const sc::Box& b) { w->setGeometry(b.x, b.y, b.w, b.h); }

// A scroll area that asks for all of its page, so that the window opens at its natural size and
// scrolls only when the screen is smaller.
class WholePageScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const QWidget* page = widget();
        if (!page) return QScrollArea::sizeHint();
        return page->sizeHint();
    }
};

// The height of a title bar before the window manager has framed the window.
constexpr int kAssumedTitleBar = 32;

}  // namespace

TunerPageView::TunerPageView(tuner::TunerPage& m, QWidget* parent) : QWidget(parent, Qt::Window), model_(m) {
    setObjectName(QString::fromStdString(m.window.name()));
    setFont(QFont("Arial", 9));
    auto* root = new QVBoxLayout(this);
    // The header, the table and the picture scroll together on a small screen; the buttons below
    // them never leave the window.
    scroll_ = new WholePageScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* content = new QWidget(scroll_);
    // Never squeezed below its lines and picture: a short window scrolls instead.
    content->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    auto* body = new QVBoxLayout(content);
    body->setContentsMargins(0, 0, 0, 0);
    scroll_->setWidget(content);
    content->installEventFilter(this);
    root->addWidget(scroll_, 1);

    auto* header = MakeNamed<QGroupBox>(content, m.frmOne.name());
    Bind(header, m.frmOne);
    auto* hg = new QGridLayout(header);
    auto* lf = MakeNamed<QLabel>(header, m.lblFreq.name());
    Bind(lf, m.lblFreq);
    auto* ll = MakeNamed<QLabel>(header, m.lblLength.name());
    Bind(ll, m.lblLength);
    hg->addWidget(MakeResultBox(header, m.txtCableType), 0, 0, 1, 2);
    hg->addWidget(lf, 0, 2);
    hg->addWidget(MakeResultBox(header, m.txtFreq), 0, 3);
    hg->addWidget(ll, 0, 4);
    hg->addWidget(MakeResultBox(header, m.txtLength), 0, 5);
    int row = 1;
    for (form::ResultField* f : {&m.txtLoad, &m.txtSWRLine, &m.txtPowerLost, &m.txtXmsnLoss, &m.txtBand, &m.txtNotes}) {
        QLineEdit* box = MakeResultBox(header, *f);
        // The swept line and the notes are long: their font shrinks rather than cut them.
        if (f == &m.txtBand || f == &m.txtNotes) FitTextToWidth(box);
        hg->addWidget(box, row++, 0, 1, 6);
    }
    hg->setColumnStretch(0, 3);
    body->addWidget(header);

    auto* table = MakeNamed<QGroupBox>(content, m.frmTwo.name());
    Bind(table, m.frmTwo);
    auto* tv = new QVBoxLayout(table);
    auto* grid = new QGridLayout;
    int r = 0;
    for (const auto& cells : m.Table()) {
        for (int c = 0; c < 4; ++c) {
            QLineEdit* e = MakeResultBox(table, *cells[static_cast<std::size_t>(c)]);
            if (c > 0) e->setAlignment(Qt::AlignRight);
            grid->addWidget(e, r, c);
        }
        ++r;
    }
    grid->addWidget(MakeResultBox(table, m.txtV1), r, 0);
    grid->addWidget(MakeResultBox(table, m.txtV2), r, 1);
    grid->addWidget(MakeResultBox(table, m.txtV3), r, 2);
    grid->addWidget(MakeResultBox(table, m.txtV4), r, 3);
    tv->addLayout(grid);

    // The schematic with the value boxes over it, at the places its elements are drawn.
    auto* frame = MakeNamed<QGroupBox>(table, m.frmSchematic.name());
    Bind(frame, m.frmSchematic);
    auto* fl = new QVBoxLayout(frame);
    auto* canvas = new QWidget(frame);
    canvas->setFixedSize(sc::kWidth, sc::kHeight);
    picture_ = MakeNamed<QLabel>(canvas, m.picSchematic.name());
    picture_->setGeometry(0, 0, sc::kWidth, sc::kHeight);
    picture_->setAlignment(Qt::AlignCenter);
    Place(MakeResultBox(canvas, m.txtInputR), sc::kInputRBox);
    QLineEdit* load = MakeResultBox(canvas, m.txtLoadZ);
    Place(load, sc::kLoadZBox);
    load->setAlignment(Qt::AlignRight);
    left_ = MakeResultBox(canvas, m.txtLeftX);
    mid_ = MakeResultBox(canvas, m.TxtMidX);
    right_ = MakeResultBox(canvas, m.txtRightX);
    stray_ = MakeResultBox(canvas, m.txtCStray);
    Place(stray_, sc::kStrayBox);
    fl->addWidget(canvas, 0, Qt::AlignHCenter);
    tv->addWidget(frame);
    body->addWidget(table);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (form::Button* b : {&m.cmdPrint, &m.cmdBack, &m.cmdContinue}) {
        auto* button = MakeNamed<QPushButton>(this, b->name());
        Bind(button, *b);
        buttons->addWidget(button);
    }
    root->addLayout(buttons);

    m.picSchematic.SetObserver(WhileAlive(this, [this] { ShowSchematic(); }));
    ShowSchematic();
    BindWindow(this, m.window, false, true);
    CloseOnEscape(this, m.cmdBack);
    AddExport(this, m.window.name() == "frmTuner2" ? "QLX Tee network" : "QLX tuner");
}

void TunerPageView::FitInto(const QRect& work_area, int title_bar) {
    // The page at its natural size (adjustSize would stop at two thirds of the screen).
    resize(sizeHint().expandedTo(minimumSizeHint()));
    const int frame_w = frameGeometry().width() - width();
    const int height_room = work_area.height() - title_bar;
    // Shortened, the page scrolls: its scroll bar takes room beside the content.
    if (height() > height_room)
        resize(std::min(width() + scroll_->verticalScrollBar()->sizeHint().width(), work_area.width() - frame_w),
               height_room);
    if (width() + frame_w > work_area.width()) resize(work_area.width() - frame_w, height());
    // The outer frame's top left, as the window manager places it, kept so that the bottom and the
    // right edge are on the screen too.
    const QPoint frame_pos = frameGeometry().topLeft();
    const int x = std::clamp(frame_pos.x(), work_area.left(), work_area.right() + 1 - (width() + frame_w));
    const int y = std::clamp(frame_pos.y(), work_area.top(), work_area.bottom() + 1 - (height() + title_bar));
    if (x != frame_pos.x() || y != frame_pos.y()) move(pos() + QPoint(x - frame_pos.x(), y - frame_pos.y()));
}

void TunerPageView::FitToScreen(bool grow_only) {
    if (!screen() || !isVisible()) return;
    // The scroll area's wish follows its page, which the window's layout does not watch.
    scroll_->updateGeometry();
    layout()->invalidate();
    const QSize wanted = sizeHint();
    if (grow_only && wanted.height() <= height() && wanted.width() <= width()) return;
    // Once the window manager has framed the page its title bar is known; until then, assume one.
    const int title = frameGeometry().height() - height();
    FitInto(screen()->availableGeometry(), title > 0 ? title : kAssumedTitleBar);
}

void TunerPageView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitToScreen(false);
    QTimer::singleShot(0, this, [this] { FitToScreen(false); });
}

bool TunerPageView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest && watched == scroll_->widget())
        QTimer::singleShot(0, this, [this] { FitToScreen(true); });
    return QWidget::eventFilter(watched, event);
}

void TunerPageView::ShowSchematic() {
    const QString path = QString::fromStdString(model_.picSchematic.path());
    // A missing or unreadable picture leaves the box empty; the values still stand where the
    // elements would be.
    const QPixmap pixmap(path);
    if (pixmap.isNull())
        picture_->clear();
    else
        picture_->setPixmap(pixmap);
    picture_->setVisible(model_.picSchematic.visible());
    const auto boxes = sc::ValueBoxesFor(QFileInfo(path).fileName().toStdString());
    if (!boxes) return;
    QLineEdit* values[] = {left_, mid_, right_};
    for (std::size_t k = 0; k < 3; ++k) Place(values[k], (*boxes)[k]);
}

}  // namespace qlx::ui
