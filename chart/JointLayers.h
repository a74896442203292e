#pragma once
// Which layer controls the x range and which the y range of every layer of a chart. A layer
// controlled by another takes that layer's range and cannot be given one of its own. Joining
// is refused (ETovraRChartError) when it would chain layers: a destination must control
// itself, and a layer that others follow cannot follow another.

#include "chart/ChartTypes.h"

#include <QObject>

#include <array>
#include <functional>
#include <string>

namespace tessaly {

class TJointLayers : public QObject {
    Q_OBJECT
    Q_PROPERTY(int L01xControlledBy READ L01x WRITE SetL01x)
    Q_PROPERTY(int L02xControlledBy READ L02x WRITE SetL02x)
    Q_PROPERTY(int L03xControlledBy READ L03x WRITE SetL03x)
    Q_PROPERTY(int L04xControlledBy READ L04x WRITE SetL04x)
    Q_PROPERTY(int L05xControlledBy READ L05x WRITE SetL05x)
    Q_PROPERTY(int L06xControlledBy READ L06x WRITE SetL06x)
    Q_PROPERTY(int L07xControlledBy READ L07x WRITE SetL07x)
    Q_PROPERTY(int L08xControlledBy READ L08x WRITE SetL08x)
    Q_PROPERTY(int L09xControlledBy READ L09x WRITE SetL09x)
    Q_PROPERTY(int L10xControlledBy READ L10x WRITE SetL10x)
    Q_PROPERTY(int L11xControlledBy READ L11x WRITE SetL11x)
    Q_PROPERTY(int L12xControlledBy READ L12x WRITE SetL12x)
    Q_PROPERTY(int L13xControlledBy READ L13x WRITE SetL13x)
    Q_PROPERTY(int L14xControlledBy READ L14x WRITE SetL14x)
    Q_PROPERTY(int L15xControlledBy READ L15x WRITE SetL15x)
    Q_PROPERTY(int L16xControlledBy READ L16x WRITE SetL16x)
    Q_PROPERTY(int L01yControlledBy READ L01y WRITE SetL01y)
    Q_PROPERTY(int L02yControlledBy READ L02y WRITE SetL02y)
    Q_PROPERTY(int L03yControlledBy READ L03y WRITE SetL03y)
    Q_PROPERTY(int L04yControlledBy READ L04y WRITE SetL04y)
    Q_PROPERTY(int L05yControlledBy READ L05y WRITE SetL05y)
    Q_PROPERTY(int L06yControlledBy READ L06y WRITE SetL06y)
    Q_PROPERTY(int L07yControlledBy READ L07y WRITE SetL07y)
    Q_PROPERTY(int L08yControlledBy READ L08y WRITE SetL08y)
    Q_PROPERTY(int L09yControlledBy READ L09y WRITE SetL09y)
    Q_PROPERTY(int L10yControlledBy READ L10y WRITE SetL10y)
    Q_PROPERTY(int L11yControlledBy READ L11y WRITE SetL11y)
    Q_PROPERTY(int L12yControlledBy READ L12y WRITE SetL12y)
    Q_PROPERTY(int L13yControlledBy READ L13y WRITE SetL13y)
    Q_PROPERTY(int L14yControlledBy READ L14y WRITE SetL14y)
    Q_PROPERTY(int L15yControlledBy READ L15y WRITE SetL15y)
    Q_PROPERTY(int L16yControlledBy READ L16y WRITE SetL16y)
public:
    enum TAxis { axX, axY };

    // Every layer controls itself. Error messages name the parent (the chart) as the component.
    explicit TJointLayers(QObject* parent = nullptr);

    // The controller of layer (1..16) on axis; layers outside 1..16 control nothing: 0.
    int ControlledBy(TAxis axis, int layer) const;
    // Joins layer (1..16) on axis to controller m, or makes it control itself again (m equal to
    // layer). Raises ETovraRChartError, leaving everything unchanged, when m is outside 1..16,
    // when m is itself joined to another layer, or when other layers follow this one.
    // After a join OnJoined tells the owner, which takes m's range into the layer.
    void SetControlledBy(TAxis axis, int layer, int m);

    std::function<void(TAxis axis, int layer)> OnJoined;

#define TESSALY_JOINT_ACCESSORS(nn, n)                                                      \
    int L##nn##x() const { return ControlledBy(axX, n); }                                  \
    void SetL##nn##x(int m) { SetControlledBy(axX, n, m); }                                \
    int L##nn##y() const { return ControlledBy(axY, n); }                                  \
    void SetL##nn##y(int m) { SetControlledBy(axY, n, m); }
    TESSALY_JOINT_ACCESSORS(01, 1)
    TESSALY_JOINT_ACCESSORS(02, 2)
    TESSALY_JOINT_ACCESSORS(03, 3)
    TESSALY_JOINT_ACCESSORS(04, 4)
    TESSALY_JOINT_ACCESSORS(05, 5)
    TESSALY_JOINT_ACCESSORS(06, 6)
    TESSALY_JOINT_ACCESSORS(07, 7)
    TESSALY_JOINT_ACCESSORS(08, 8)
    TESSALY_JOINT_ACCESSORS(09, 9)
    TESSALY_JOINT_ACCESSORS(10, 10)
    TESSALY_JOINT_ACCESSORS(11, 11)
    TESSALY_JOINT_ACCESSORS(12, 12)
    TESSALY_JOINT_ACCESSORS(13, 13)
    TESSALY_JOINT_ACCESSORS(14, 14)
    TESSALY_JOINT_ACCESSORS(15, 15)
    TESSALY_JOINT_ACCESSORS(16, 16)
#undef TESSALY_JOINT_ACCESSORS

private:
    [[noreturn]] void Fail(const std::string& reason) const;

    std::array<std::array<int, LayerCount>, 2> FControlledBy{}; // [axis][layer - 1]
};

} // namespace tessaly
