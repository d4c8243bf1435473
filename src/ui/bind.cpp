#include "ui/bind.h"

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace qlx::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

void ApplyCommon(QWidget* w, const form::Control& c, QPalette::ColorRole fore_role,
                 QPalette::ColorRole back_role, bool fill) {
    w->setVisible(c.visible());
    w->setEnabled(c.enabled());
    w->setToolTip(Q(c.shown_tip()));
    QPalette pal = w->palette();
    pal.setColor(fore_role, ToQColor(c.shown_fore(), w, false));
    pal.setColor(back_role, ToQColor(c.back(), w, true));
    w->setPalette(pal);
    if (fill) w->setAutoFillBackground(true);
}

// Moves a window, if need be, so that its title bar is on a screen: a position saved on a larger
// screen, or one that puts the window's inside at the screen's edge, must not leave the title
// bar (and with it the only way to move the window) out of reach. A position on the screen is
// left exactly as it is.
void KeepTitleBarOnScreen(QWidget* w) {
    QScreen* screen = QGuiApplication::screenAt(w->frameGeometry().topLeft() + QPoint(40, 10));
    if (!screen) screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QRect frame = w->frameGeometry();
    // The title bar's left end and some of its length stay on the screen.
    const int right_most = std::max(avail.left(), avail.right() + 1 - std::min(frame.width(), avail.width()));
    const int bottom_most = std::max(avail.top(), avail.bottom() + 1 - std::min(frame.height(), 80));
    const int x = std::clamp(frame.x(), avail.left(), right_most);
    const int y = std::clamp(frame.y(), avail.top(), bottom_most);
    if (x != frame.x() || y != frame.y()) w->move(w->pos() + QPoint(x - frame.x(), y - frame.y()));
}

// Reports a widget losing the keyboard focus to its model field.
class FocusOutFilter : public QObject {
public:
    FocusOutFilter(QObject* parent, form::TextField& field) : QObject(parent), field_(field) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A message box the field's own rule raised takes the focus for a moment: that is no
        // leaving of the field (its rule would raise the same box a second time).
        // A message box the field's own rule raised takes the focus for a moment: that is no
        // leaving of the field (its rule would raise the same box a second time).
        if (event->type() == QEvent::FocusOut && !MessageScope::Open()) field_.LoseFocus();
        return QObject::eventFilter(watched, event);
    }

private:
    form::TextField& field_;
};

// A label's caption as shown: with a buddy, its access key marked ("&Frequency:") and any "&" of
// its own doubled, so that it shows as typed.
QString LabelText(const QLabel* w, QString caption) {
    const QVariant key = w->property("qlxKey");
    if (!w->buddy() || !key.isValid()) return caption;
    caption.replace('&', "&&");
    const QChar k = key.toChar();
    for (const bool word_start : {true, false})
        for (qsizetype i = 0; i < caption.size(); ++i)
            if (caption[i].toLower() == k && (!word_start || i == 0 || !caption[i - 1].isLetterOrNumber()))
                return caption.insert(i, '&');
    return caption;
}

// Shows a label again when TieLabels has given it its key (a dynamic property's change).
class RefreshOnKey : public QObject {
public:
    RefreshOnKey(QObject* parent, std::function<void()> refresh) : QObject(parent), refresh_(std::move(refresh)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::DynamicPropertyChange &&
            static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "qlxKey")
            refresh_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> refresh_;
};

// The widget a layout item holds, if it is one the keyboard enters.
QWidget* FieldOf(QLayoutItem* item) {
    QWidget* w = item ? item->widget() : nullptr;
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ? w : nullptr;
}

// Follows the user's moves and resizes of a top-level window into its model, in twips.
class GeometryFilter : public QObject {
public:
    GeometryFilter(QWidget* widget, form::Window& window, bool follow_visibility)
        : QObject(widget), widget_(widget), window_(window), follow_visibility_(follow_visibility) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget_ && follow_visibility_ && event->type() == QEvent::Close)
            window_.SetVisible(false);
        // Once shown, the window manager's frame is known: the title bar is checked again.
        if (watched == widget_ && event->type() == QEvent::Show) {
            TieLabels(widget_);
            QTimer::singleShot(0, widget_, [w = widget_] { KeepTitleBarOnScreen(w); });
        }
        if (watched == widget_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
            widget_->isVisible()) {
            const double k = TwipsPerPixel(widget_);
            const QRect frame = widget_->frameGeometry();
            window_.TakeGeometryFromView(static_cast<float>(std::round(frame.x() * k)),
                                         static_cast<float>(std::round(frame.y() * k)),
                                         static_cast<float>(std::round(frame.height() * k)),
                                         static_cast<float>(std::round(frame.width() * k)));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* widget_;
    form::Window& window_;
    bool follow_visibility_;
};

}  // namespace

int MessageScope::open_ = 0;

void TieLabels(QWidget* window) {
    // A label before a field in its row (a grid's next column, a box's next item) names it.
    for (QLayout* layout : window->findChildren<QLayout*>()) {
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            for (int r = 0; r < grid->rowCount(); ++r)
                for (int c = 0; c + 1 < grid->columnCount(); ++c) {
                    QLayoutItem* item = grid->itemAtPosition(r, c);
                    auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
                    if (QWidget* field = FieldOf(grid->itemAtPosition(r, c + 1)); label && field && !label->buddy())
                        label->setBuddy(field);
                }
        } else if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
            for (int k = 0; k + 1 < box->count(); ++k) {
                auto* label = qobject_cast<QLabel*>(box->itemAt(k)->widget());
                if (QWidget* field = FieldOf(box->itemAt(k + 1)); label && field && !label->buddy()) label->setBuddy(field);
            }
        }
    }
    // Each such label gets an access key (Alt+letter takes the keyboard to its field): the first
    // letter starting a word of its caption that no button or other label of the window uses.
    QSet<QChar> used;
    auto key_of = [](const QString& text) -> QChar {
        for (qsizetype i = 0; i + 1 < text.size(); ++i)
            if (text[i] == '&') {
                if (text[i + 1] != '&') return text[i + 1].toLower();
                ++i;
            }
        return {};
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (const QChar k = key_of(b->text()); !k.isNull()) used.insert(k);
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->property("qlxKey").isValid()) used.insert(l->property("qlxKey").toChar());
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->buddy() || l->property("qlxKey").isValid()) continue;
        // A word's first letter if one is free, else any free letter of the caption.
        const QString text = l->text();
        for (const bool word_start : {true, false}) {
            if (l->property("qlxKey").isValid()) break;
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar c = text[i].toLower();
                if (c.isLetter() && c.unicode() < 128 && (!word_start || i == 0 || !text[i - 1].isLetterOrNumber()) &&
                    !used.contains(c)) {
                    used.insert(c);
                    l->setProperty("qlxKey", c);
                    break;
                }
            }
        }
    }
    // A field no label names is named by its tip, else by its own name, for a screen reader.
    QSet<QWidget*> named;
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->buddy() && !l->text().trimmed().isEmpty()) named.insert(l->buddy());
    QList<QWidget*> fields;
    for (QLineEdit* e : window->findChildren<QLineEdit*>()) fields.append(e);
    for (QComboBox* c : window->findChildren<QComboBox*>()) fields.append(c);
    for (QWidget* f : fields) {
        if (named.contains(f) || !f->accessibleName().isEmpty()) continue;
        QString name = f->toolTip();
        if (name.isEmpty()) name = f->objectName().remove(QRegularExpression("^(txt|cbo)")).replace(QRegularExpression("([a-z])([A-Z])"), "\\1 \\2");
        f->setAccessibleName(name);
    }
}

std::function<void()> WhileAlive(QObject* widget, std::function<void()> observer) {
    return [guard = QPointer<QObject>(widget), observer = std::move(observer)] {
        if (guard) observer();
    };
}

QColor ToQColor(form::Colour colour, const QWidget* widget, bool background) {
    const QPalette pal = widget ? QApplication::palette(widget) : QApplication::palette();
    if (colour == form::kButtonFace) return pal.color(QPalette::Window);
    if (colour == form::kWindowText) return pal.color(background ? QPalette::Window : QPalette::WindowText);
    return QColor(static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>(colour & 0xFF));
}

namespace {

// Fits a result box's text again whenever the box changes its size (a text set while the window
// was hidden was fitted to a box not laid out yet).
class FitOnResize : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            if (auto* e = qobject_cast<QLineEdit*>(watched)) FitTextToWidth(e);
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

static void ShowStatusMark(QLineEdit* w, form::Status status) {
    // The mark is an icon at the box's right end, so that the text (which a user copies) stays
    // the number alone.
    auto* action = w->findChild<QAction*>("qlxStatusMark", Qt::FindDirectChildrenOnly);
    if (status == form::Status::Normal) {
        delete action;
        return;
    }
    const QStyle::StandardPixmap icon =
        status == form::Status::Warning ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxCritical;
    if (!action) {
        action = new QAction(w);
        action->setObjectName("qlxStatusMark");
        w->addAction(action, QLineEdit::TrailingPosition);
    }
    action->setIcon(w->style()->standardIcon(icon));
    action->setText(Q(form::StatusMark(status)));
}

void FitTextToWidth(QLineEdit* w) {
    if (!w->property("qlxFit").toBool()) {
        w->setProperty("qlxFit", true);
        w->installEventFilter(new FitOnResize(w));
    }
    QFont font = w->parentWidget() ? w->parentWidget()->font() : w->font();
    const int room = w->width() - w->textMargins().left() - w->textMargins().right() - 8;
    while (QFontMetrics(font).horizontalAdvance(w->text()) > room && font.pointSizeF() > 4.0)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    w->setFont(font);
}

void Bind(QLineEdit* w, form::TextField& f) {
    w->setMaxLength(static_cast<int>(form::kMaxTextLength));  // the model keeps no more
    if (f.read_only()) {
        w->setReadOnly(true);
        w->setFocusPolicy(Qt::ClickFocus);
    }
    auto refresh = [w, &f] {
        const QString text = Q(f.text());
        if (w->text() != text) {
            const QSignalBlocker block(w);
            w->setText(text);
            if (w->property("qlxFit").toBool()) FitTextToWidth(w);
        }
        ApplyCommon(w, f, QPalette::Text, QPalette::Base, false);
        ShowStatusMark(w, f.status());
    };
    f.SetObserver(WhileAlive(w, refresh));
    refresh();
    QObject::connect(w, &QLineEdit::textEdited, w, [&f](const QString& t) { f.SetText(t.toStdString()); });
    w->installEventFilter(new FocusOutFilter(w, f));
}

void Bind(QLabel* w, form::Label& l) {
    auto refresh = [w, &l] {
        const char* mark = form::StatusMark(l.status());
        const QString caption = LabelText(w, Q(l.caption()));
        w->setText(*mark ? Q(mark) + ' ' + caption : caption);
        ApplyCommon(w, l, QPalette::WindowText, QPalette::Window, true);
    };
    l.SetObserver(WhileAlive(w, refresh));
    refresh();
    // TieLabels gives the label its access key after the layout is made: it then shows again.
    w->installEventFilter(new RefreshOnKey(w, refresh));
}

void Bind(QGroupBox* w, form::Label& frame) {
    auto refresh = [w, &frame] {
        // A frame that asks (a status) carries the mark before its title, as a label does.
        const char* mark = form::StatusMark(frame.status());
        w->setTitle(*mark ? Q(mark) + ' ' + Q(frame.caption()) : Q(frame.caption()));
        ApplyCommon(w, frame, QPalette::WindowText, QPalette::Window, false);
    };
    frame.SetObserver(WhileAlive(w, refresh));
    refresh();
}

void Bind(QPushButton* w, form::Button& b) {
    auto refresh = [w, &b] {
        w->setText(Q(b.caption()));
        w->setVisible(b.visible());
        w->setEnabled(b.enabled());
        w->setToolTip(Q(b.tool_tip()));
    };
    b.SetObserver(WhileAlive(w, refresh));
    refresh();
    QObject::connect(w, &QPushButton::clicked, w, [&b] { b.Click(); });
}

void Bind(QRadioButton* w, form::Option& o) {
    auto refresh = [w, &o] {
        w->setText(Q(o.caption()));
        if (w->isChecked() != o.selected()) {
            const QSignalBlocker block(w);
            w->setChecked(o.selected());
        }
        ApplyCommon(w, o, QPalette::WindowText, QPalette::Window, false);
    };
    o.SetObserver(WhileAlive(w, refresh));
    refresh();
    QObject::connect(w, &QRadioButton::clicked, w, [w, &o, refresh] {
        o.Select();
        // A click on the option already selected changes nothing in the model; show it so.
        if (w->isChecked() != o.selected()) refresh();
    });
}

void Bind(QComboBox* w, form::ListBox& l) {
    auto refresh = [w, &l] {
        const QSignalBlocker block(w);
        if (w->count() != static_cast<int>(l.items().size())) {
            w->clear();
            for (const std::string& item : l.items()) w->addItem(Q(item));
        }
        if (w->currentIndex() != l.position()) w->setCurrentIndex(l.position());
        ApplyCommon(w, l, QPalette::Text, QPalette::Base, false);
    };
    l.SetObserver(WhileAlive(w, refresh));
    refresh();
    QObject::connect(w, &QComboBox::activated, w, [&l](int index) { l.Choose(index); });
}

double TwipsPerPixel(const QWidget* widget) {
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

void BindWindow(QWidget* w, form::Window& window, bool apply_size, bool follow_visibility) {
    // The position and size last put on the widget from the model. A window is moved or resized
    // only when the model's figures change, never because a caption or a colour did: once the
    // window manager has framed a window its position reads differently, and moving it again on
    // every refresh walked a page down by its title bar at its first print.
    struct Applied {
        std::optional<QPoint> pos;
        std::optional<QSize> size;
    };
    auto applied = std::make_shared<Applied>();
    auto refresh = [w, &window, apply_size, follow_visibility, applied] {
        if (follow_visibility && !window.visible() && w->isVisible()) w->hide();
        const double k = TwipsPerPixel(w);
        w->setWindowTitle(Q(window.caption()));
        const QPoint pos(static_cast<int>(std::lround(window.left() / k)),
                         static_cast<int>(std::lround(window.top() / k)));
        if (applied->pos != pos) {
            applied->pos = pos;
            if (w->pos() != pos) {
                w->move(pos);
                KeepTitleBarOnScreen(w);
            }
        }
        // The model keeps the outer size, frame and title bar included.
        const QSize outer(static_cast<int>(std::lround(window.width() / k)),
                          static_cast<int>(std::lround(window.height() / k)));
        if (apply_size && window.width() > 0 && window.height() > 0 && applied->size != outer) {
            applied->size = outer;
            const QSize frame = w->frameGeometry().size() - w->size();
            if (w->frameGeometry().size() != outer) w->resize(outer - frame);
        }
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, ToQColor(window.back(), w, true));
        w->setPalette(pal);
    };
    window.SetObserver(WhileAlive(w, refresh));
    refresh();
    w->installEventFilter(new GeometryFilter(w, window, follow_visibility));
}

QLineEdit* MakeResultBox(QWidget* parent, form::ResultField& field) { return MakeBound<QLineEdit>(parent, field); }

QLineEdit* MakeEntry(QWidget* parent, form::TextField& field, int chars) {
    auto* e = MakeBound<QLineEdit>(parent, field);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 12);
    return e;
}

QGroupBox* MakeGroup(QWidget* parent, form::Label& caption, std::initializer_list<QWidget*> widgets) {
    auto* box = MakeBound<QGroupBox>(parent, caption);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(8, 2, 8, 2);
    for (QWidget* w : widgets) layout->addWidget(w);
    return box;
}

void CloseOnEscape(QWidget* window, form::Button& close) {
    // A key a child does not take (an entry leaves Escape alone) reaches its window last.
    class Filter : public QObject {
    public:
        Filter(QObject* parent, form::Button& button) : QObject(parent), button_(button) {}

    protected:
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
            button_.Click();
            return true;
        }

    private:
        form::Button& button_;
    };
    window->installEventFilter(new Filter(window, close));
}

}  // namespace qlx::ui
