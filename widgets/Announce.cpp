#include "widgets/Announce.h"

#include <QAccessible>

#include <utility>

namespace tessaly {

namespace {
TAnnouncementObserver& Observer()
{
    static TAnnouncementObserver observer;
    return observer;
}
} // namespace

void Announce(QAccessibleEvent& event)
{
    QAccessible::updateAccessibility(&event);
    if (Observer())
        Observer()(event);
}

TAnnouncementObserver SetAnnouncementObserver(TAnnouncementObserver observer)
{
    return std::exchange(Observer(), std::move(observer));
}

} // namespace tessaly
