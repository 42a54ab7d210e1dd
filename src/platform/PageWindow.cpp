#include "platform/PageWindow.h"

#include <QApplication>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace qv {

namespace {
const char* const kBackgroundProperty = "qvBackground";

QPalette::ColorRole BackgroundRole(const QWidget* w) {
    if (qobject_cast<const QPushButton*>(w)) return QPalette::Button;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QListWidget*>(w))
        return QPalette::Base;
    return QPalette::Window;
}
}  // namespace

void SetBackgroundColour(QWidget* control, Colour colour) {
    QPalette pal = control->palette();
    const QPalette::ColorRole role = BackgroundRole(control);
    pal.setColor(role, ToQColor(colour));
    // Option buttons paint their background in their own role (the button
    // colour in some styles), not in the window colour.
    if (role == QPalette::Window) pal.setColor(control->backgroundRole(), ToQColor(colour));
    control->setPalette(pal);
    if (role == QPalette::Window) control->setAutoFillBackground(true);
    control->setProperty(kBackgroundProperty, static_cast<uint>(colour));
}

Colour BackgroundColour(const QWidget* control) {
    const QVariant v = control->property(kBackgroundProperty);
    if (v.isValid()) return static_cast<Colour>(v.toUInt());
    return FromQColor(control->palette().color(BackgroundRole(control)));
}

// Forwards to the display list and tells the window, so that no page has
// to remember to repaint; counts the changes when asked to.
class PageWindow::UpdatingSurface : public Surface {
public:
    UpdatingSurface(RecordingSurface& r, PageWindow& w, int* changes = nullptr)
        : r_(r), w_(w), changes_(changes) {}
    void Clear() override { r_.Clear(), Changed(); }
    void Line(double a, double b, double c, double d) override { r_.Line(a, b, c, d), Changed(); }
    void LineTo(double x, double y) override { r_.LineTo(x, y), Changed(); }
    void Box(double a, double b, double c, double d) override { r_.Box(a, b, c, d), Changed(); }
    void FillBox(double a, double b, double c, double d) override {
        r_.FillBox(a, b, c, d), Changed();
    }
    void Circle(double cx, double cy, double r, double s, double e, double a) override {
        r_.Circle(cx, cy, r, s, e, a), Changed();
    }
    void Clip(double x1, double y1, double x2, double y2) override {
        r_.Clip(x1, y1, x2, y2), Changed();
    }
    void Unclip() override { r_.Unclip(), Changed(); }
    void SetLineWidth(double width) override { r_.SetLineWidth(width); }
    void SetColour(Colour c) override { r_.SetColour(c); }
    void SetTextColour(Colour c) override { r_.SetTextColour(c); }
    void SetFont(const FontSpec& font) override { r_.SetFont(font); }
    const FontSpec& Font() const override { return r_.Font(); }
    void Text(double x, double y, const std::string& t) override { r_.Text(x, y, t), Changed(); }
    double TextWidth(const std::string& t) const override { return r_.TextWidth(t); }
    double TextHeight() const override { return r_.TextHeight(); }
    void Changed() {
        if (changes_) ++*changes_;
        w_.DrawingChanged();
    }

private:
    RecordingSurface& r_;
    PageWindow& w_;
    int* changes_;
};

struct PageWindow::Placed {
    QPointer<QWidget> widget;
    LogicalRect rect;
    double fontPt = 8;
    bool bold = false;
    QPointer<QGroupBox> frame;  // the frame the rect is relative to, if any
};

PageWindow::PageWindow(double logicalWidth, double logicalHeight, QWidget* parent,
                       double unitsPerPoint)
    : QWidget(parent, Qt::Window),
      logicalWidth_(logicalWidth),
      logicalHeight_(logicalHeight),
      unitsPerPoint_(unitsPerPoint),
      recording_(unitsPerPoint),
      drawing_(std::make_unique<UpdatingSurface>(recording_, *this)),
      kept_(unitsPerPoint),
      keptDrawing_(std::make_unique<UpdatingSurface>(kept_, *this, &keptVersion_)) {
    UseQtTextMetrics(recording_);
    UseQtTextMetrics(kept_);
    setMouseTracking(true);
    ResizeToScale(1.0 / (0.75 * unitsPerPoint));
    fitted_ = false;
}

PageWindow::~PageWindow() = default;

Surface& PageWindow::Drawing() { return *drawing_; }

Surface& PageWindow::KeptDrawing() { return *keptDrawing_; }

void PageWindow::ForgetDrawing() {
    recording_.Reset();
    DrawingChanged();
}

void PageWindow::SetKeepPicture(bool keep) {
    keepPicture_ = keep;
    picture_ = QImage();
    pictureVersion_ = -1;
    frame_ = QImage();
    update();
}

void PageWindow::SetPageColour(Colour colour) {
    pageColour_ = colour;
    update();
}

void PageWindow::DrawingChanged() {
    if (!keepPicture_) return update();
    // A redraw records thousands of ops: the frame is brought up to date
    // once, when the events of the change are done, and only the part of
    // the window that differs is marked.
    if (flushPending_) return;
    flushPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { update(UpdateFrame()); }, Qt::QueuedConnection);
}

PageTransform PageWindow::Transform() const {
    return PageTransform::Fit(logicalWidth_, logicalHeight_, width(), height());
}

QPointF PageWindow::ToDevice(double x, double y) const { return Transform().ToDevice({x, y}); }

QPointF PageWindow::ToLogical(QPointF p) const { return Transform().ToLogical(p); }

void PageWindow::ResizeToScale(double scale) {
    fitted_ = true;
    resize(std::max(1, static_cast<int>(std::lround(logicalWidth_ * scale))),
           std::max(1, static_cast<int>(std::lround(logicalHeight_ * scale))));
}

void PageWindow::FitToScreen(double fraction) {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    ResizeToScale(fraction * std::min(area.width() / logicalWidth_, area.height() / logicalHeight_));
}

void PageWindow::SetDefaultFontSize(double points) { defaultFontPt_ = points; }

template <class T>
T* PageWindow::Register(T* control, const QString& name, LogicalRect rect) {
    control->setObjectName(name);
    Placed p;
    p.widget = control;
    p.rect = rect;
    p.fontPt = defaultFontPt_;
    controls_.push_back(p);
    Apply(controls_.back(), Transform());
    control->show();
    return control;
}

QPushButton* PageWindow::AddButton(const QString& name, const QString& caption, LogicalRect rect,
                                   const QString& toolTip) {
    auto* b = new QPushButton(caption, this);
    b->setToolTip(toolTip);
    b->setAutoDefault(false);
    return Register(b, name, rect);
}

QLineEdit* PageWindow::AddTextBox(const QString& name, LogicalRect rect) {
    return Register(new QLineEdit(this), name, rect);
}

QLabel* PageWindow::AddLabel(const QString& name, const QString& text, LogicalRect rect) {
    auto* l = new QLabel(text, this);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(false);
    return Register(l, name, rect);
}

QGroupBox* PageWindow::AddFrame(const QString& name, const QString& caption, LogicalRect rect) {
    return Register(new QGroupBox(caption, this), name, rect);
}

QRadioButton* PageWindow::AddOption(const QString& name, const QString& caption, LogicalRect rect,
                                    QGroupBox* frame) {
    // Radio buttons with the same parent widget are exclusive, which is the
    // grouping a frame gives.
    auto* o = new QRadioButton(caption, frame ? static_cast<QWidget*>(frame) : this);
    o->setObjectName(name);
    Placed p;
    p.widget = o;
    p.rect = rect;
    p.fontPt = defaultFontPt_;
    p.frame = frame;
    controls_.push_back(p);
    Apply(controls_.back(), Transform());
    o->show();
    return o;
}

QListWidget* PageWindow::AddListBox(const QString& name, LogicalRect rect) {
    auto* l = new QListWidget(this);
    // The system's fixed font depends on what else is installed (a font
    // package can make "Monospace" resolve to a proportional face); name a
    // fixed-pitch family that the install script always brings first.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({"DejaVu Sans Mono", "Liberation Mono", "Courier New", fixed.family()});
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    l->setFont(fixed);
    return Register(l, name, rect);
}

PageWindow::Placed* PageWindow::Find(const QWidget* control) {
    for (Placed& p : controls_)
        if (p.widget == control) return &p;
    return nullptr;
}

const PageWindow::Placed* PageWindow::Find(const QWidget* control) const {
    return const_cast<PageWindow*>(this)->Find(control);
}

void PageWindow::PlaceControl(QWidget* control, LogicalRect rect) {
    Placed* p = Find(control);
    if (!p) {
        Placed fresh;
        fresh.widget = control;
        fresh.fontPt = defaultFontPt_;
        fresh.frame = qobject_cast<QGroupBox*>(control->parentWidget());
        if (control->parentWidget() == nullptr) control->setParent(this);
        controls_.push_back(fresh);
        p = &controls_.back();
    }
    p->rect = rect;
    Apply(*p, Transform());
}

LogicalRect PageWindow::ControlRect(const QWidget* control) const {
    const Placed* p = Find(control);
    return p ? p->rect : LogicalRect{};
}

void PageWindow::SetControlFont(QWidget* control, double points, bool bold) {
    if (Placed* p = Find(control)) {
        p->fontPt = points;
        p->bold = bold;
        Apply(*p, Transform());
    }
}

double PageWindow::ControlFontSize(const QWidget* control) const {
    const Placed* p = Find(control);
    return p ? p->fontPt : 0.0;
}

void PageWindow::Apply(const Placed& p, const PageTransform& t) {
    QWidget* w = p.widget;
    if (!w || t.scale <= 0) return;

    QFont f = w->font();
    const double pixels = std::max(1.0, p.fontPt * unitsPerPoint_ * t.scale);
    f.setPointSizeF(pixels * 72.0 / std::max(1, w->logicalDpiY()));
    f.setBold(p.bold);
    w->setFont(f);

    double left = p.rect.left, top = p.rect.top;
    if (const Placed* frame = p.frame ? Find(p.frame) : nullptr) {
        left += frame->rect.left;
        top += frame->rect.top;
    }
    // Edges are rounded, not sizes, so that controls placed edge to edge in
    // logical units stay edge to edge on screen.
    auto px = [&](double v) { return static_cast<int>(std::lround(v * t.scale)); };
    const QSize hint = w->sizeHint();
    const int x0 = px(left), y0 = px(top);
    const int wd = p.rect.width > 0 ? px(left + p.rect.width) - x0 : hint.width();
    const int ht = p.rect.height > 0 ? px(top + p.rect.height) - y0 : hint.height();
    QPoint origin(x0, y0);
    if (w->parentWidget() != this) origin = w->parentWidget()->mapFrom(this, origin);
    w->setGeometry(origin.x(), origin.y(), std::max(1, wd), std::max(1, ht));
}

void PageWindow::OrderTabsVisually() {
    std::vector<std::pair<LogicalRect, QWidget*>> order;
    for (const Placed& p : controls_) {
        if (!p.widget || p.widget->focusPolicy() == Qt::NoFocus) continue;
        LogicalRect r = p.rect;
        if (const Placed* frame = p.frame ? Find(p.frame) : nullptr) {
            r.left += frame->rect.left;
            r.top += frame->rect.top;
        }
        order.emplace_back(r, p.widget);
    }
    // Rows first, left to right within a row; controls whose tops differ by
    // less than half a row height share the row.
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        if (std::fabs(a.first.top - b.first.top) >= 150) return a.first.top < b.first.top;
        return a.first.left < b.first.left;
    });
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1].second, order[i].second);
}

void PageWindow::Layout() {
    const PageTransform t = Transform();
    for (const Placed& p : controls_) Apply(p, t);
}

void PageWindow::PlaceOverOpener() {
    const QWidget* opener = QApplication::activeWindow();
    if (opener == this) opener = nullptr;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (!opener && w != this && w->isVisible()) opener = w;  // nothing focused
    if (!opener) return;
    // A dialog the page did not size itself opens at one size for the
    // screen, whichever page opened it and however large that page is: its
    // points are the screen's points.
    if (!fitted_) {
        const QScreen* screen = opener->screen() ? opener->screen() : QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        ResizeToScale(dpi / 72.0 / unitsPerPoint_);
    }
    move(opener->geometry().center() - rect().center());
}

int PageWindow::ExecModal() {
    setWindowModality(Qt::ApplicationModal);
    // Over the page that opened it, not wherever the window system puts a
    // new window.
    PlaceOverOpener();
    result_ = 0;
    show();
    if (!isVisible()) return result_;  // closed while showing itself
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
    return result_;
}

void PageWindow::Done(int result) {
    result_ = result;
    close();
}

void PageWindow::MousePressed(int, double, double) {}
void PageWindow::MouseMoved(int, double, double) {}
void PageWindow::MouseReleased(int, double, double) {}

// The page colour with the kept layer over it. Painted into an image of the
// window's own pixels and copied one to one, the picture is the same, pixel
// for pixel, as the list replayed on the window.
void PageWindow::PaintKeptPicture(QPainter& painter, const PageTransform& t) {
    if (kept_.Ops().empty()) {
        painter.fillRect(rect(), ToQColor(pageColour_));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (pictureVersion_ != keptVersion_ || picture_.size() != pixels ||
        picture_.devicePixelRatio() != ratio) {
        picture_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(ToQColor(pageColour_));
        QPainter picturePainter(&picture_);
        Replay(picturePainter, kept_.Ops(), t, unitsPerPoint_);
        pictureVersion_ = keptVersion_;
        ++picturesMade_;
    }
    painter.drawImage(QPointF(0, 0), picture_);
}

namespace {
// Where two display lists differ: the device boxes of the ops that are not
// the same at the same place in both, a box per run of such ops, boxes that
// overlap merged, so that each pixel lies in one box at most. Empty when the
// lists are the same; the whole window when an op that may touch any pixel
// differs.
std::vector<QRect> Differences(const std::vector<DrawOp>& was, const std::vector<DrawOp>& now,
                               const PageTransform& t, double unitsPerPoint, const QRect& window) {
    std::vector<QRect> boxes;
    // A run's lines are gathered in logical units with their widest pen (a
    // changed curve has a thousand), the rest as DeviceBounds gives them.
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double left = kInf, top = kInf, right = -kInf, bottom = -kInf, widest = 0;
    QRectF run;
    bool open = false;
    auto close = [&] {
        if (left <= right) {
            const double pad = 2 + PenPixels(widest, t.scale, unitsPerPoint);
            run |= t.ToDevice(QRectF(QPointF(left, top), QPointF(right, bottom)))
                       .adjusted(-pad, -pad, pad, pad);
        }
        const QRect box = run.toAlignedRect() & window;
        if (!box.isEmpty()) boxes.push_back(box);
        run = QRectF();
        left = top = kInf, right = bottom = -kInf, widest = 0;
        open = false;
    };
    // A clip paints nothing itself; it changes how the ops after it draw, so
    // an op the same in both lists differs when the clips it draws under do.
    const DrawOp* clipWas = nullptr;
    const DrawOp* clipNow = nullptr;
    auto follow = [](const DrawOp* op, const DrawOp*& clip) {
        if (op && op->kind == DrawOp::Clip) clip = op;
        if (op && (op->kind == DrawOp::Unclip || op->kind == DrawOp::Clear)) clip = nullptr;
        return op && (op->kind == DrawOp::Clip || op->kind == DrawOp::Unclip);
    };
    const std::size_t n = std::max(was.size(), now.size());
    for (std::size_t i = 0; i < n; ++i) {
        const bool inWas = i < was.size(), inNow = i < now.size();
        const bool clipOpWas = follow(inWas ? &was[i] : nullptr, clipWas);
        const bool clipOpNow = follow(inNow ? &now[i] : nullptr, clipNow);
        const bool sameClip = clipWas == clipNow || (clipWas && clipNow && *clipWas == *clipNow);
        if (inWas && inNow && was[i] == now[i] && sameClip) {
            if (open) close();
            continue;
        }
        open = true;
        for (const DrawOp* op : {inWas && !clipOpWas ? &was[i] : nullptr,
                                 inNow && !clipOpNow ? &now[i] : nullptr}) {
            if (!op) continue;
            if (op->kind == DrawOp::Line) {
                left = std::min({left, op->x1, op->x2});
                right = std::max({right, op->x1, op->x2});
                top = std::min({top, op->y1, op->y2});
                bottom = std::max({bottom, op->y1, op->y2});
                widest = std::max(widest, op->width);
                continue;
            }
            const std::optional<QRectF> box = DeviceBounds(*op, t, unitsPerPoint);
            if (!box) return {window};
            run |= *box;
        }
    }
    if (open) close();
    // Many small boxes cost more to clip to than their bounds do to paint.
    if (boxes.size() > 32) {
        QRect all;
        for (const QRect& b : boxes) all |= b;
        return {all};
    }
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < boxes.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < boxes.size() && !merged; ++j)
                if (boxes[i].intersects(boxes[j])) {
                    boxes[i] |= boxes[j];
                    boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                }
    }
    return boxes;
}
}  // namespace

// Brings the window's kept picture up to the drawing as it is now and
// returns the part of the window that changed.
QRegion PageWindow::UpdateFrame() {
    const bool pending = std::exchange(flushPending_, false);
    const PageTransform t = Transform();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const std::vector<DrawOp>& ops = recording_.Ops();
    std::vector<QRect> boxes;
    bool whole = false;
    if (frame_.size() != pixels || frame_.devicePixelRatio() != ratio ||
        frameVersion_ != keptVersion_ || frameColour_ != pageColour_) {
        frame_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        frame_.setDevicePixelRatio(ratio);
        whole = true;
        boxes = {rect()};
    } else if (pending) {
        boxes = Differences(framed_, ops, t, unitsPerPoint_, rect());
        whole = boxes.size() == 1 && boxes[0] == rect();
    } else {
        return {};
    }
    pixelsRepainted_ = 0;
    QRegion changed;
    {
        // Box by box under a plain rectangular clip, which the rasteriser
        // handles faster than a region; the boxes do not overlap, so every
        // pixel is painted once, from the kept layer up.
        QPainter painter(&frame_);
        for (const QRect& box : boxes) {
            painter.setClipRect(box);
            PaintKeptPicture(painter, t);
            Replay(painter, ops, t, unitsPerPoint_, whole ? QRectF() : QRectF(box));
            pixelsRepainted_ += qint64(box.width()) * box.height();
            changed += box;
        }
    }
    framed_ = ops;
    frameVersion_ = keptVersion_;
    frameColour_ = pageColour_;
    return changed;
}

void PageWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const PageTransform t = Transform();
    if (!keepPicture_) {
        painter.fillRect(rect(), ToQColor(pageColour_));
        Replay(painter, kept_.Ops(), t, unitsPerPoint_);
        Replay(painter, recording_.Ops(), t, unitsPerPoint_);
        return;
    }
    UpdateFrame();
    painter.drawImage(QPointF(0, 0), frame_);
}

void PageWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void PageWindow::mousePressEvent(QMouseEvent* event) {
    const QPointF p = ToLogical(event->position());
    MousePressed(static_cast<int>(event->button()) & 7, p.x(), p.y());
}

void PageWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = ToLogical(event->position());
    MouseMoved(static_cast<int>(event->buttons()) & 7, p.x(), p.y());
}

void PageWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = ToLogical(event->position());
    MouseReleased(static_cast<int>(event->button()) & 7, p.x(), p.y());
}

void PageWindow::keyPressEvent(QKeyEvent* event) {
    // Escape cancels a dialog: its Cancel button when it has one, else closing
    // it, which every dialog treats as leaving things as they were.
    if (modalLoop_ && event->key() == Qt::Key_Escape) {
        auto* cancel = Control<QPushButton>("cmdCancel");
        if (cancel && cancel->isVisible() && cancel->isEnabled())
            cancel->click();
        else
            close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PageWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

void PageWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (modalLoop_) modalLoop_->quit();
}

}  // namespace qv
