// The chart's answers to the mouse and the keyboard: pan, zoom window, zoom drag, rubber band,
// dragging crosshairs and text labels, the cursors of the modes and the events.

#include "chart/RChart.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>

// Resources of a static library are registered by name, from the global namespace.
static void InitChartCursorResources()
{
    Q_INIT_RESOURCE(cursors);
}

namespace tessaly {

namespace {

// The cursor images and their hot spots: the hand's palm, the magnifiers' lens centres.
struct TCursorImage {
    const char* Resource;
    int HotX, HotY;
};
constexpr std::array<TCursorImage, 4> CursorImages = {{
    {":/tessaly/chart/CURHAND", 15, 16},
    {":/tessaly/chart/CURZOOMW", 12, 12},
    {":/tessaly/chart/CURZOOMD", 12, 12},
    {":/tessaly/chart/CURZOOMP", 12, 12},
}};

TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState s;
    if (modifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (modifiers & Qt::AltModifier)
        s |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

// The chart's name for a Qt button; false for buttons it does not know.
bool ChartButton(Qt::MouseButton button, TMouseButton& out)
{
    switch (button) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
    }
}

bool IsRectangleMode(TMouseActMode mode)
{
    return mode == maRubberBand || mode == maZoomWind || mode == maZoomWindPos;
}

} // namespace

QCursor ChartCursor(int number)
{
    // The application's cursor table: loaded once, the first time a chart asks, and kept to the
    // end (pixmaps must not outlive the application object, so it is never destroyed).
    static std::once_flag loaded;
    static std::array<QCursor, CursorImages.size()>* table = nullptr;
    std::call_once(loaded, [] {
        InitChartCursorResources();
        table = new std::array<QCursor, CursorImages.size()>;
        for (size_t i = 0; i < CursorImages.size(); ++i) {
            const QPixmap image(CursorImages[i].Resource);
            (*table)[i] = image.isNull()
                              ? QCursor(Qt::ArrowCursor)
                              : QCursor(image, CursorImages[i].HotX, CursorImages[i].HotY);
        }
    });
    if (number >= 1 && number <= static_cast<int>(table->size()))
        return (*table)[static_cast<size_t>(number - 1)];
    if (number == -3)
        return QCursor(Qt::CrossCursor);
    return QCursor(Qt::ArrowCursor);
}

void TCustomRChart::InitMouse()
{
    // Moves without a button clear the drag anchors and report the pointer.
    setMouseTracking(true);
    // The chart takes the focus when clicked and wants the arrow and tab keys.
    setFocusPolicy(Qt::ClickFocus);
    // Every paint copies the complete buffer: no background erase beforehand.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TCustomRChart::InDataArea(QPoint p) const
{
    const TChartGeometry g = Geometry();
    return p.x() >= g.DataLeft() && p.x() <= g.DataRight() && p.y() >= g.DataTop() &&
           p.y() <= g.DataBottom();
}

void TCustomRChart::SetMouseCursorFixed(bool value)
{
    FMouseCursorFixed = value;
    if (value && FCursorNumber != 0) {
        FCursorNumber = 0;
        setCursor(ChartCursor(0));
    }
}

// --- Buttons ----------------------------------------------------------------------------------------

void TCustomRChart::mousePressEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ChartButton(event->button(), button)) {
        QWidget::mousePressEvent(event);
        return;
    }
    FClicked = button == mbLeft;
    MouseDown(button, ShiftState(event->modifiers(), event->buttons()),
              event->position().toPoint());
}

void TCustomRChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ChartButton(event->button(), button)) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    // The second press of a double click: the double click is reported, the press swallowed.
    FClicked = false;
    FDoubleClickSeen = true;
    if (OnDblClick)
        OnDblClick(*this);
    MouseDown(button, ShiftState(event->modifiers(), event->buttons()) | ssDouble,
              event->position().toPoint());
}

void TCustomRChart::MouseDown(TMouseButton button, TShiftState shift, QPoint p)
{
    if (FDoubleClickSeen) {
        FDoubleClickSeen = false;
        return;
    }
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, p.x(), p.y());
    if (IsRectangleMode(FMouseAction) && !FRectDragging && button == mbLeft && InDataArea(p)) {
        FRectDragging = true;
        FRectStart = FRectCorner = p;
    }
}

void TCustomRChart::mouseReleaseEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ChartButton(event->button(), button)) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (button == mbLeft && FClicked) {
        FClicked = false;
        if (rect().contains(p) && OnClick)
            OnClick(*this);
    }
    if (FDoubleClickSeen) {
        FDoubleClickSeen = false;
        return;
    }
    if (OnMouseUp)
        OnMouseUp(*this, button, ShiftState(event->modifiers(), event->buttons()), p.x(), p.y());
    if (FRectDragging)
        FinishRectangle(button);
}

void TCustomRChart::FinishRectangle(TMouseButton button)
{
    // Any button ends the drag and takes the rectangle away; only the left one zooms.
    FRectDragging = false;
    UpdateRectangleArea(FRectStart, FRectCorner);
    if (button != mbLeft || !IsRectangleMode(FMouseAction))
        return;
    const QPoint s = FRectStart, c = FRectCorner;
    if (s.x() == c.x() || s.y() == c.y())
        return;
    {
        TBatch batch(*this);
        for (int n = 1; n <= LayerCount; ++n) {
            if (!MouseAffectsLayer(n))
                continue;
            const QPointF w1 = PixelToWorld(n, s.x(), s.y());
            const QPointF w2 = PixelToWorld(n, c.x(), c.y());
            TRange x{w1.x(), w2.x()}, y{w1.y(), w2.y()};
            if (FMouseAction == maZoomWindPos || FMouseAction == maRubberBand) {
                // The zoomed axes keep their direction, whichever corner the drag began at.
                auto order = [](TRange& r, TRange axis) {
                    if ((r.High < r.Low && axis.Low < axis.High) ||
                        (r.High > r.Low && axis.Low > axis.High))
                        std::swap(r.Low, r.High);
                };
                order(x, RangeX(n));
                order(y, RangeY(n));
            }
            double half;
            if (FIsometric && IsometricHalfSpan(x.Span(), IsometricWidthTerm(), half)) {
                const double centre = y.Middle();
                y = {centre - half, centre + half};
            }
            if (FMouseAction == maRubberBand) {
                if (OnRubberBand)
                    OnRubberBand(*this, n, x.Low, y.Low, x.High, y.High);
            } else {
                LayerRangeOperation(n, x, y);
            }
        }
        if (OnZoomPan)
            OnZoomPan(*this);
    }
}

// --- Moves ------------------------------------------------------------------------------------------

void TCustomRChart::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FMousePos = p;
    const TShiftState shift = ShiftState(event->modifiers(), event->buttons());
    if (OnMouseMove)
        OnMouseMove(*this, shift, p.x(), p.y());
    const bool left = event->buttons() & Qt::LeftButton;
    // A drag keeps to what it grabbed, whatever the mode becomes meanwhile.
    const TMouseActMode mode = FAnchored ? FDragMode : FMouseAction;
    switch (mode) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomDrag:
    case maDragCrossH:
    case maDragLabel:
        if (!left) {
            FAnchored = false;
        } else if (!FAnchored) {
            // The first move with the button down only records where the drag begins.
            RecordAnchor(p);
            FAnchored = true;
        } else if (mode == maDragCrossH) {
            DragCrossHairTo(p);
        } else if (mode == maDragLabel) {
            DragTextLabelTo(p);
        } else if (InDataArea(p)) {
            if (mode == maZoomDrag)
                ZoomDragTo(p);
            else
                PanTo(p);
        }
        break;
    case maRubberBand:
    case maZoomWind:
    case maZoomWindPos:
        if (FRectDragging)
            DragRectangleTo(p);
        break;
    default:
        break;
    }
    UpdateCursor(p);
    if (OnMouseMoveInChart) {
        const QPointF w = PixelToWorld(FActiveLayer, p.x(), p.y());
        OnMouseMoveInChart(*this, InDataArea(p), shift, w.x(), w.y());
    }
}

void TCustomRChart::RecordAnchor(QPoint p)
{
    FDragMode = FMouseAction;
    for (int n = 1; n <= LayerCount; ++n) {
        FAnchors[static_cast<size_t>(n - 1)] = {p, RangeX(n), RangeY(n)};
    }
    if (FMouseAction == maDragCrossH) {
        // The nearest line of a crosshair that is on, however far away; crosshair 1 otherwise.
        double best = 1.7e308;
        FDragIndex = 1;
        for (int n = 1; n <= CrossHairCount; ++n) {
            const TCrossHair& c = *CrossHair(n);
            const QPoint at = WorldToPixel(c.Layer(), c.PosX(), c.PosY());
            const double dx = double(at.x()) - p.x(), dy = double(at.y()) - p.y();
            if ((c.Mode() == chVert || c.Mode() == chBoth) && dx * dx < best) {
                best = dx * dx;
                FDragIndex = n;
            }
            if ((c.Mode() == chHoriz || c.Mode() == chBoth) && dy * dy < best) {
                best = dy * dy;
                FDragIndex = n;
            }
        }
    } else if (FMouseAction == maDragLabel) {
        double best = 1.7e308;
        FDragIndex = 1;
        for (int n = 1; n <= TextLabelCount; ++n) {
            const TTextLabel& label = *TextLabel(n);
            if (!label.Shown())
                continue;
            const QPoint at = TextLabelAnchor(label);
            const double dx = double(at.x()) - p.x(), dy = double(at.y()) - p.y();
            if (dx * dx + dy * dy < best) {
                best = dx * dx + dy * dy;
                FDragIndex = n;
            }
        }
    }
}

void TCustomRChart::PanTo(QPoint p)
{
    const TChartGeometry g = Geometry();
    const double dw = g.DataWidth(), dh = g.DataHeight();
    {
        TBatch batch(*this);
        for (int n = 1; n <= LayerCount; ++n) {
            if (!MouseAffectsLayer(n))
                continue;
            const TLayer& l = Layer(n);
            const TAnchor& a = FAnchors[static_cast<size_t>(n - 1)];
            TRange x = RangeX(n), y = RangeY(n);
            // The contents follow the pointer. Bounds that come out NaN or infinite (a data
            // area without extent, a range at the end of the double range) are refused by
            // the range operation, axis by axis.
            if (FDragMode != maPanVert) {
                if (l.PropsX->Logarithmic()) {
                    const double f =
                        std::exp(std::log(x.High / x.Low) * (a.Pixel.x() - p.x()) / dw);
                    x = {a.X.Low * f, a.X.High * f};
                } else {
                    const double d = x.Span() * (p.x() - a.Pixel.x()) / dw;
                    x = {a.X.Low - d, a.X.High - d};
                }
            }
            if (FDragMode != maPanHoriz) {
                if (l.PropsY->Logarithmic()) {
                    const double f =
                        std::exp(std::log(y.High / y.Low) * (p.y() - a.Pixel.y()) / dh);
                    y = {a.Y.Low * f, a.Y.High * f};
                } else {
                    const double d = y.Span() * (p.y() - a.Pixel.y()) / dh;
                    y = {a.Y.Low + d, a.Y.High + d};
                }
            }
            LayerRangeOperation(n, x, y);
        }
    }
    if (OnZoomPan)
        OnZoomPan(*this);
}

void TCustomRChart::ZoomDragTo(QPoint p)
{
    {
        TBatch batch(*this);
        for (int n = 1; n <= LayerCount; ++n) {
            if (!MouseAffectsLayer(n))
                continue;
            const TAnchor& a = FAnchors[static_cast<size_t>(n - 1)];
            // Right and up zoom in, left and down zoom out, around the fixed centre.
            const double fx = 1 - double(p.x() - a.Pixel.x()) / width();
            const double fy = FIsometric ? fx : 1 + double(p.y() - a.Pixel.y()) / height();
            const double cx = a.X.Middle(), hx = a.X.Span() * fx / 2;
            const double cy = a.Y.Middle(), hy = a.Y.Span() * fy / 2;
            LayerRangeOperation(n, {cx - hx, cx + hx}, {cy - hy, cy + hy});
        }
    }
    if (OnZoomPan)
        OnZoomPan(*this);
}

void TCustomRChart::DragRectangleTo(QPoint p)
{
    const TChartGeometry g = Geometry();
    const int x = std::clamp(p.x(), g.DataLeft(), std::max(g.DataLeft(), g.DataRight()));
    long long y = p.y();
    if (FIsometric) {
        // A square in pixels, in the quadrant the pointer is in.
        const long long dx = x - FRectStart.x();
        y = (y - FRectStart.y()) * dx >= 1 ? FRectStart.y() + dx : FRectStart.y() - dx;
    }
    y = std::clamp<long long>(y, g.DataTop(), std::max(g.DataTop(), g.DataBottom()));
    UpdateRectangleArea(FRectStart, FRectCorner);
    FRectCorner = QPoint(x, static_cast<int>(y));
    UpdateRectangleArea(FRectStart, FRectCorner);
}

void TCustomRChart::UpdateRectangleArea(QPoint start, QPoint corner)
{
    // The outline is drawn in XOR over the buffer when the control paints.
    update(QRect(start, corner).normalized().adjusted(-1, -1, 1, 1));
}

void TCustomRChart::DragCrossHairTo(QPoint p)
{
    TCrossHair& c = *CrossHair(FDragIndex);
    const QPointF w = PixelToWorld(c.Layer(), p.x(), p.y());
    c.SetPosX(w.x());
    c.SetPosY(w.y());
    if (OnCrossHairMove)
        OnCrossHairMove(*this, c);
}

void TCustomRChart::DragTextLabelTo(QPoint p)
{
    TTextLabel& label = *TextLabel(FDragIndex);
    const QPointF w = PixelToWorld(label.Layer(), p.x(), p.y());
    const TTxtLblAttachMode attach = label.AttachToData();
    const bool worldX = attach == tlamXOnly || attach == tlamBoth;
    const bool worldY = attach == tlamYOnly || attach == tlamBoth;
    label.SetPosX(worldX ? w.x() : p.x());
    label.SetPosY(worldY ? w.y() : p.y());
    if (OnTextLabelMove)
        OnTextLabelMove(*this, label);
}

void TCustomRChart::UpdateCursor(QPoint p)
{
    int number = 0;
    if (InDataArea(p) && !FMouseCursorFixed) {
        switch (FMouseAction) {
        case maNone: number = -3; break;
        case maPan:
        case maPanHoriz:
        case maPanVert: number = 1; break;
        case maRubberBand:
        case maDragCrossH:
        case maDragLabel: number = 0; break;
        case maZoomWind: number = 2; break;
        case maZoomWindPos: number = 4; break;
        case maZoomDrag: number = 3; break;
        default: return; // the other modes leave the cursor as it is
        }
    }
    if (number == FCursorNumber)
        return;
    FCursorNumber = number;
    setCursor(ChartCursor(number));
}

// --- Enter, leave, keys -------------------------------------------------------------------------

void TCustomRChart::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void TCustomRChart::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

bool TCustomRChart::event(QEvent* event)
{
    // The tab key belongs to the chart while it has the focus, as the arrow keys do.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void TCustomRChart::keyPressEvent(QKeyEvent* event)
{
    if (!OnKeyDown && !OnKeyPress) {
        QWidget::keyPressEvent(event);
        return;
    }
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(*this, key, ShiftState(event->modifiers(), Qt::NoButton));
    if (OnKeyPress) {
        for (QChar c : event->text()) {
            OnKeyPress(*this, c);
        }
    }
}

void TCustomRChart::keyReleaseEvent(QKeyEvent* event)
{
    if (!OnKeyUp) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    int key = event->key();
    OnKeyUp(*this, key, ShiftState(event->modifiers(), Qt::NoButton));
}

} // namespace tessaly
