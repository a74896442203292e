#include "chart/Geometry.h"

#include <algorithm>

namespace tessaly {

QRect Exclusive(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx * t0, dy * t0);
    b = start + QPointF(dx * t1, dy * t1);
    return true;
}

std::vector<std::vector<QPointF>> ClippedRuns(const QPoint* points, int count, const QRectF& r)
{
    std::vector<std::vector<QPointF>> runs;
    std::vector<QPointF> run;
    auto flush = [&] {
        if (run.size() >= 2)
            runs.push_back(std::move(run));
        run.clear();
    };
    for (int i = 1; i < count; ++i) {
        QPointF a = points[i - 1], b = points[i];
        if (!ClipSegment(a, b, r)) {
            flush();
            continue;
        }
        if (run.empty() || run.back() != a) {
            flush();
            run.push_back(a);
        }
        run.push_back(b);
        if (b != QPointF(points[i]))
            flush();
    }
    flush();
    return runs;
}

QPoint CaptionTopLeft(const TChartGeometry& g, const TCaptionPlace& place, int textWidth)
{
    const int w = g.Width, h = g.Height, sw = g.ShadowWidth;
    int ax = 0, ay = 0;
    switch (place.AnchorHoriz) {
    case cahControlLeft: ax = 0; break;
    case cahChartLeft: ax = g.MarginLeft; break;
    case cahChartCenter: ax = g.MarginLeft + (w - g.MarginLeft - g.MarginRight - sw) / 2; break;
    case cahChartRight: ax = w - g.MarginRight - sw; break;
    case cahControlRight: ax = w; break;
    }
    switch (place.AnchorVert) {
    case cavControlTop: ay = 0; break;
    case cavChartTop: ay = g.MarginTop; break;
    case cavChartCenter: ay = g.MarginTop + (h - g.MarginTop - g.MarginBottom - sw) / 2; break;
    case cavChartBottom: ay = h - g.MarginBottom; break;
    case cavControlBottom: ay = h; break;
    }
    return {AlignedStart(place.PosX + ax, textWidth, place.Alignment), place.PosY + ay};
}

} // namespace tessaly
