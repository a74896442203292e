#pragma once
// Accessibility events of this program's controls go through one place: to Qt's accessibility
// (and so to a screen reader), and to an observer that tests install, since Qt drops events
// while no screen reader listens.

#include <functional>

class QAccessibleEvent;

namespace tessaly {

// Sends the event to the screen reader, if one listens, and to the observer.
void Announce(QAccessibleEvent& event);

using TAnnouncementObserver = std::function<void(QAccessibleEvent& event)>;
// Installs an observer of every announcement; returns the one before.
TAnnouncementObserver SetAnnouncementObserver(TAnnouncementObserver observer);

} // namespace tessaly
