// The base of every page and dialog: a top-level window with a logical size
// (11880 x 8490 twips for the Analysis page, 12000 x 9000 drawing units for
// the Design page, 6000 x 6000 for the exit dialog ...), a drawing background
// and controls placed by logical rectangles.
//
// Building a page:
//
//   class DesignPage : public qv::PageWindow {
//   public:
//     DesignPage() : PageWindow(12000, 9000) {
//       SetDefaultFontSize(9);
//       auto* accept = AddButton("cmdAccept", "Accept", {7380, 6050, 1470, 330},
//                                "Accept the values in the boxes");
//       connect(accept, &QPushButton::clicked, this, [this] { OnAccept(); });
//       Drawing().Line(0, 0, 1000, 1000);   // the background picture
//     }
//   protected:
//     void MousePressed(int button, double x, double y) override { ... }
//   };
//
// Scaling: the whole logical page is shown with one uniform scale, anchored
// at the window's top-left (see Replay.h); on every resize the drawing, the
// geometry of every control and every control's font follow that scale, so
// a control drawn at (x, y) sits exactly where a line drawn to (x, y) ends,
// and a mouse press there reports (x, y).
//
// Fonts are given in points of the logical page: a control font of p points
// is p * unitsPerPoint logical units high and is scaled like everything else.
//
// Each control's objectName is the name given to Add...(), so tests find it
// with page.findChild<QPushButton*>("cmdAccept") or Control<T>(name).
#pragma once

#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <memory>

#include "drawing/MouseButtons.h"
#include "drawing/RecordingSurface.h"
#include "platform/Replay.h"

class QPushButton;
class QLineEdit;
class QLabel;
class QGroupBox;
class QRadioButton;
class QListWidget;
class QEventLoop;

namespace qv {

// A rectangle in logical units. A width or height of 0 or less means "as
// large as the control's contents need" (for labels whose size is not fixed).
struct LogicalRect {
    double left = 0, top = 0, width = 0, height = 0;
};

// Background colour of a button (face), text box (field), label, frame or
// list box, as 0x00BBGGRR. A label without one is transparent.
void SetBackgroundColour(QWidget* control, Colour colour);
// The colour last set, or the palette's colour for that kind of control.
Colour BackgroundColour(const QWidget* control);

class PageWindow : public QWidget {
    Q_OBJECT

public:
    // The window starts at the reference scale of one pixel per 0.75 pt
    // (15 twips); call ResizeToScale or FitToScreen to change that.
    PageWindow(double logicalWidth, double logicalHeight, QWidget* parent = nullptr,
               double unitsPerPoint = 20.0);
    ~PageWindow() override;

    double LogicalWidth() const { return logicalWidth_; }
    double LogicalHeight() const { return logicalHeight_; }
    double UnitsPerPoint() const { return unitsPerPoint_; }

    // ---- The drawing background -------------------------------------------
    // Draw the page's picture here, in logical units. Every call schedules a
    // repaint; the picture stays until it is cleared. TextWidth/TextHeight
    // use the real font metrics.
    Surface& Drawing();
    // The display list behind Drawing(), for tests and for printing.
    const RecordingSurface& Recording() const { return recording_; }
    // The colour the window shows where nothing is drawn (white by default).
    void SetPageColour(Colour colour);

    // ---- A kept layer beneath the drawing ---------------------------------
    // What changes rarely (the chart's grids) can be drawn here instead: it
    // is painted beneath Drawing() from a picture kept for the window's size
    // and device pixel ratio, made again only when this list, the size or
    // the ratio changes. A page using it forgets Drawing()'s list with
    // ForgetDrawing() rather than clearing it, which would wipe the layer.
    //
    // The window's whole picture (the kept layer with the drawing over it)
    // is kept too. When the drawing is made again, only where its ops differ
    // from those the picture shows is painted again (the old and the new
    // ops' pixels, everything else replayed there under a clip), and only
    // that part of the window is marked for repainting, so controls and
    // drawing elsewhere are left alone.
    Surface& KeptDrawing();
    const RecordingSurface& KeptRecording() const { return kept_; }
    void ForgetDrawing();
    // Paint both layers from their lists every time instead (tests compare
    // the two); and how often the kept layer's picture has been made.
    void SetKeepPicture(bool keep);
    int KeptPicturesMade() const { return picturesMade_; }
    // How many device pixels the last change of the drawing painted again.
    qint64 PixelsRepainted() const { return pixelsRepainted_; }

    // ---- Scale ----------------------------------------------------------------
    PageTransform Transform() const;
    double Scale() const { return Transform().scale; }  // device pixels per logical unit
    QPointF ToDevice(double x, double y) const;
    QPointF ToLogical(QPointF devicePoint) const;
    // Window size for the given device pixels per logical unit.
    void ResizeToScale(double scale);
    // The largest window with the page's proportions that fits the given
    // fraction of the screen's available area.
    void FitToScreen(double fraction = 0.9);

    // ---- Controls -------------------------------------------------------------
    // Font size, in points, for controls added from now on.
    void SetDefaultFontSize(double points);
    double DefaultFontSize() const { return defaultFontPt_; }

    QPushButton* AddButton(const QString& name, const QString& caption, LogicalRect rect,
                           const QString& toolTip = {});
    QLineEdit* AddTextBox(const QString& name, LogicalRect rect);
    // Text is drawn from the top-left, on one line, transparent background.
    QLabel* AddLabel(const QString& name, const QString& text, LogicalRect rect);
    QGroupBox* AddFrame(const QString& name, const QString& caption, LogicalRect rect);
    // With a frame, rect is relative to the frame's top-left corner, and the
    // frame groups the option buttons so that one of them is on.
    QRadioButton* AddOption(const QString& name, const QString& caption, LogicalRect rect,
                            QGroupBox* frame = nullptr);
    // A list box in a fixed-pitch font, so that columns of text line up.
    QListWidget* AddListBox(const QString& name, LogicalRect rect);

    // Adopts any other widget as a control, or moves an existing one.
    // The rect is relative to the frame when the control sits in a frame.
    void PlaceControl(QWidget* control, LogicalRect rect);
    LogicalRect ControlRect(const QWidget* control) const;
    // Changes a control's font size (points) and weight.
    void SetControlFont(QWidget* control, double points, bool bold = false);
    double ControlFontSize(const QWidget* control) const;

    // Tab moves through the focusable controls row by row, left to right, as
    // they are placed (call once the controls are added).
    void OrderTabsVisually();

    template <class T>
    T* Control(const QString& name) const {
        return findChild<T*>(name);
    }

    // ---- Modal showing --------------------------------------------------------
    // Shows the window modally, centred over the window that opened it (and,
    // unless the page sized itself, at that window's scale), and returns
    // when it is closed or hidden, with the value given to Done (0 when
    // closed otherwise). Do not combine with
    // Qt::WA_DeleteOnClose; create modal pages on the stack.
    int ExecModal();
    void Done(int result);

    // A page shown beside the main page draws itself again from the session
    // here (Navigator::SessionChanged); the base does nothing.
    virtual void SessionChanged() {}

signals:
    void Closed();

protected:
    // Mouse handlers, in logical units; the base versions do nothing.
    // Presses and releases hand the one button concerned; moves (also with no
    // button held) hand the buttons held.
    virtual void MousePressed(int button, double x, double y);
    virtual void MouseMoved(int buttons, double x, double y);
    virtual void MouseReleased(int button, double x, double y);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Placed;
    class UpdatingSurface;

    template <class T>
    T* Register(T* control, const QString& name, LogicalRect rect);
    Placed* Find(const QWidget* control);
    const Placed* Find(const QWidget* control) const;
    void Layout();
    void PlaceOverOpener();
    void Apply(const Placed& placed, const PageTransform& t);
    void DrawingChanged();
    QRegion UpdateFrame();
    void PaintKeptPicture(QPainter& painter, const PageTransform& t);

    double logicalWidth_, logicalHeight_, unitsPerPoint_;
    double defaultFontPt_ = 8.0;
    Colour pageColour_ = kWhite;
    RecordingSurface recording_;
    std::unique_ptr<UpdatingSurface> drawing_;
    RecordingSurface kept_;
    std::unique_ptr<UpdatingSurface> keptDrawing_;
    int keptVersion_ = 0;     // counts changes to kept_
    int pictureVersion_ = -1;  // the change picture_ shows
    QImage picture_;
    bool keepPicture_ = true;
    int picturesMade_ = 0;
    QImage frame_;                 // the window's pixels: the kept layer, the drawing over it
    std::vector<DrawOp> framed_;   // the drawing frame_ shows
    int frameVersion_ = -1;        // the change of kept_ frame_ shows
    Colour frameColour_ = kWhite;  // the page colour frame_ shows
    bool flushPending_ = false;    // a change waits to be brought to frame_
    qint64 pixelsRepainted_ = 0;
    std::vector<Placed> controls_;
    QEventLoop* modalLoop_ = nullptr;
    int result_ = 0;
    bool fitted_ = false;  // sized by the page itself, not just constructed
};

}  // namespace qv
