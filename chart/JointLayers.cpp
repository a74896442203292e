#include "chart/JointLayers.h"

#include "base/ComponentMessage.h"
#include "base/Errors.h"

#include <string>

namespace tessaly {

TJointLayers::TJointLayers(QObject* parent) : QObject(parent)
{
    for (auto& axis : FControlledBy)
        for (int n = 1; n <= LayerCount; ++n)
            axis[static_cast<size_t>(n - 1)] = n;
}

int TJointLayers::ControlledBy(TAxis axis, int layer) const
{
    if (layer < 1 || layer > LayerCount)
        return 0;
    return FControlledBy[axis][static_cast<size_t>(layer - 1)];
}

void TJointLayers::Fail(const std::string& reason) const
{
    const QObject* owner = parent() ? parent() : this;
    throw ETovraRChartError(ComponentMessage(owner->objectName().toStdString(), reason));
}

void TJointLayers::SetControlledBy(TAxis axis, int layer, int m)
{
    if (layer < 1 || layer > LayerCount)
        return;
    auto& controllers = FControlledBy[axis];
    if (m < 1 || m > LayerCount)
        Fail("Destination layer " + std::to_string(m) + " is out of range");
    if (m == layer) {
        controllers[static_cast<size_t>(layer - 1)] = layer;
        return;
    }
    if (controllers[static_cast<size_t>(m - 1)] != m)
        Fail("Destination layer " + std::to_string(m) + " is already joined");
    std::string followers;
    for (int k = 1; k <= LayerCount; ++k) {
        if (k != layer && controllers[static_cast<size_t>(k - 1)] == layer) {
            if (!followers.empty())
                followers += ", ";
            followers += std::to_string(k);
        }
    }
    if (!followers.empty())
        Fail("Layer " + std::to_string(layer) + " is joined by other layers (" + followers + ")");
    controllers[static_cast<size_t>(layer - 1)] = m;
    if (OnJoined)
        OnJoined(axis, layer);
}

} // namespace tessaly
