#pragma once
// A panel with the classic one-pixel bevels: an outer and an optional inner ring, each raised or
// lowered, drawn in the button shadow and button highlight colours.

#include <QWidget>

namespace tessaly {

class TBevelPanel : public QWidget {
    Q_OBJECT
public:
    enum TBevelCut { bvNone, bvLowered, bvRaised };
    Q_ENUM(TBevelCut)

    explicit TBevelPanel(QWidget* parent = nullptr, TBevelCut outer = bvRaised, TBevelCut inner = bvNone);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    // Pixels taken by the bevels at each edge.
    int BevelWidth() const { return (FBevelOuter != bvNone) + (FBevelInner != bvNone); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
};

} // namespace tessaly
